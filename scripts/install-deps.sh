#!/usr/bin/env bash
# Installs the Debian packages Ordelix needs, skipping those already present,
# and fetches the source of the workbook library into .deps/. With no
# argument, what builds the programs and converts; "tests" adds what the tests
# and the package's checks run; "release", what builds the Python module's
# wheel and source archive; "windows", what cross-builds the Windows
# converter and runs it under wine; "web", what builds the browser's module
# (emscripten) and runs it (Node). "tests" with "web" adds the browser that
# tests the page.
set -euo pipefail
cd "$(dirname "$0")/.."

# GoogleTest is here because configuring the build looks for it.
packages=(
  g++ cmake ninja-build pkg-config dpkg-dev patch libgtest-dev
  zlib1g-dev libminizip-dev libcli11-dev python3-dev pybind11-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core
)
test_packages=(
  clang-format clang libclang-rt-14-dev
  python3-pandas python3-matplotlib python3-jsonschema python3-openpyxl
  locales libreoffice-calc-nogui poppler-utils strace exfatprogs exfat-fuse
  fonts-liberation2 xvfb xauth xdotool
  desktop-file-utils appstream lintian shared-mime-info libglib2.0-bin xdg-utils
  libfile-mimeinfo-perl groff-base man-db librsvg2-bin
)
# The Python module's wheel and source archive, and a virtual environment to
# install the wheel in.
release_packages=(python3-build python3-setuptools python3-wheel python3-venv python3-pip)
tests=0
release=0
windows=0
web=0
for target in "$@"; do
  case $target in
    tests) tests=1 ;;
    release) release=1 ;;
    windows) windows=1 ;;
    web) web=1 ;;
    *) echo "install-deps.sh: unknown target $target" >&2 && exit 2 ;;
  esac
done
[ $tests -eq 1 ] && packages+=("${test_packages[@]}")
# The package stage's tests build and install the release's Python files.
[ $tests -eq 1 ] || [ $release -eq 1 ] && packages+=("${release_packages[@]}")
# std::thread needs the POSIX-threads variant of the cross compiler.
[ $windows -eq 1 ] && packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  libz-mingw-w64-dev wine wine64)
# The machine's Node brings npm, which fetches the page's pinned chart library.
[ $web -eq 1 ] && packages+=(emscripten nodejs libfast-float-dev libfmt-dev)
[ $web -eq 1 ] && [ $tests -eq 1 ] && packages+=(chromium chromium-driver python3-selenium)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The workbook library is compiled into the programs from the source of the
# version Debian 12 ships, the same for every target; the build patches a copy.
fetch_debian_source() {
  local package=$1 version=$2 into=.deps
  [ -d "$into/$package-$version" ] && return 0
  if ! apt-cache showsrc "$package" 2>/dev/null | grep -q "^Version: \([0-9]*:\)\{0,1\}$version-"; then
    echo "Adding a deb-src entry for Debian's archive"
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
      "Suites: $codename $codename-updates" "Components: main" \
      "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/ordelix-debian-src.sources >/dev/null
    "${sudo_cmd[@]}" apt-get update -q
  fi
  local work full_version as_root=()
  work=$(mktemp -d)
  full_version=$(apt-cache showsrc "$package" |
    sed -n "s/^Version: \([0-9]*:\)\{0,1\}\($version-.*\)/\1\2/p" | head -1)
  # apt's download user cannot write to root's private temporary folder.
  [ "$(id -u)" -eq 0 ] && as_root=(-o APT::Sandbox::User=root)
  (cd "$work" && apt-get source -q "${as_root[@]}" "$package=$full_version") >/dev/null
  mkdir -p "$into"
  mv "$work/$package-$version" "$into/"
  rm -rf "$work"
  echo "Fetched the source of $package $version into $into/"
}
fetch_debian_source libxlsxwriter 1.1.4
# The Windows build compiles minizip in from zlib's source, as Debian builds
# its own; the browser's, zlib as well.
if [ $windows -eq 1 ] || [ $web -eq 1 ]; then
  fetch_debian_source zlib 1.2.13.dfsg
fi
exit 0
