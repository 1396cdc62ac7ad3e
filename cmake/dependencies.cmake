# What the programs take from outside: Debian's libraries for Linux; for
# Windows, built from Debian's sources (minizip) or headers only (CLI11); for
# the browser, built from Debian's sources (zlib and minizip) or headers
# only (fast_float and {fmt}), and neither the command line nor the window.

# A library of headers only, through an include root that holds only its
# folder: Debian's packages name /usr/include, where a cross build must not
# look.
function(ordelix_headers_only target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} SYSTEM INTERFACE ${root})
endfunction()

if(WIN32)
  ordelix_headers_only(CLI11::CLI11 CLI)
elseif(NOT EMSCRIPTEN)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET GLOBAL minizip)
  add_library(ordelix::minizip ALIAS PkgConfig::MINIZIP)
  find_package(CLI11 REQUIRED)
endif()
if(EMSCRIPTEN)
  # Emscripten's C++ library reads and writes no double with from_chars and
  # to_chars, and its C library's strtod and printf take long-double
  # arithmetic in software: fast_float, the reader others' from_chars is
  # made of, and {fmt}, which writes printf's formats exactly.
  ordelix_headers_only(ordelix::fast_float fast_float)
  ordelix_headers_only(ordelix::fmt fmt)
  # Without the C++ locale, which no format of ours asks for and which would
  # make the module a sixth larger.
  target_compile_definitions(ordelix::fmt INTERFACE FMT_HEADER_ONLY FMT_STATIC_THOUSANDS_SEPARATOR)
endif()
