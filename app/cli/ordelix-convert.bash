# bash completion for ordelix-convert

_ordelix_convert() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD-1]}
  local IFS=$'\n' f
  COMPREPLY=()
  case $prev in
    -o | --output | --combine)
      COMPREPLY=($(compgen -d -- "$cur"))
      for f in $(compgen -f -- "$cur"); do
        [[ -f $f && ${f,,} == *.@(xlsx|json|csv) ]] && COMPREPLY+=("$f")
      done
      return
      ;;
    --format)
      COMPREPLY=($(compgen -W $'xlsx\njson\ncsv' -- "$cur"))
      return
      ;;
    --csv-separator)
      COMPREPLY=($(compgen -W $'\\,\n\\;' -- "$cur"))
      return
      ;;
    -d | --dir)
      COMPREPLY=($(compgen -d -- "$cur"))
      return
      ;;
    -j | --jobs | --settle | --poll)
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W $'-o\n--output\n-d\n--dir\n--combine\n--format\n--csv-separator\n-r\n--recursive\n-f\n--force\n-n\n--skip-existing\n--strict\n-j\n--jobs\n--watch\n--settle\n--poll\n-q\n--quiet\n-v\n--verbose\n-V\n--version\n-h\n--help' -- "$cur"))
    return
  fi
  # Folders, and files whose extension names a measurement mode, in any case.
  COMPREPLY=($(compgen -d -- "$cur"))
  for f in $(compgen -f -- "$cur"); do
    [[ -f $f && ${f,,} == *.@(pro|nuc|con|pht|od|tsc|tm|wsc) ]] && COMPREPLY+=("$f")
  done
}
complete -o filenames -F _ordelix_convert ordelix-convert
