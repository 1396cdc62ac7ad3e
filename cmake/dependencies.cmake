# What the programs take from outside: Debian's libraries for Linux; for
# Windows, built from Debian's sources (minizip) or headers only (CLI11); for
# the browser, built from Debian's sources (zlib and minizip), and neither
# the command line nor the window.
if(WIN32)
  # CLI11's package names /usr/include, where a cross build must not look:
  # a root of its own holds only CLI11's folder.
  set(cli11_root ${CMAKE_BINARY_DIR}/include-roots/cli11)
  file(MAKE_DIRECTORY ${cli11_root})
  file(CREATE_LINK /usr/include/CLI ${cli11_root}/CLI SYMBOLIC)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${cli11_root})
elseif(NOT EMSCRIPTEN)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET GLOBAL minizip)
  add_library(ordelix::minizip ALIAS PkgConfig::MINIZIP)
  find_package(CLI11 REQUIRED)
endif()
