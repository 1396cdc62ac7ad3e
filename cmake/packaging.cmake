# The Debian package (scripts/package-deb.sh): both programs with their man
# pages, completion and desktop files, installed under /usr. Dependencies come
# from dpkg-shlibdeps, and one more below; the menu, file types and icon caches are renewed by the
# triggers of the packages that own them, so the package has no scripts.
include(GNUInstallDirs)

set(ORDELIX_MAINTAINER "The Ordelix developers <ordelix@example.org>"
    CACHE STRING "The Debian package's maintainer")

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/ordelix)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${doc_dir})
# ordelix-convert(1) names this path for the JSON's schema.
install(FILES ${PROJECT_SOURCE_DIR}/docs/run-data.schema.json DESTINATION ${doc_dir})
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog @ONLY)
ordelix_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ordelix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORDELIX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside what dpkg-shlibdeps finds: the window starts only with Qt's
# platform plugins, which the Qt libraries merely recommend, and a system
# may be installed without recommendations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "spectrophotometer export files to spreadsheet reports")
# The summary is the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ordelix turns the export files of a laboratory UV/visible
spectrophotometer (protein, nucleic acid, concentration, photometry,
OD600, kinetics, melting temperature and wavelength scan runs) into
formatted .xlsx reports: a header block that restates the run's settings
in words, the data table, and a line chart for wavelength scans.
.
The package holds the window, which previews each report before it is
saved and opens the export files a file manager hands it, and
ordelix-convert, which converts files and folders from the command line.")
# Every install component but the Python module's, which Debian would want
# in a python3- package of its own, byte-compiled by its scripts.
get_cmake_property(components COMPONENTS)
list(REMOVE_ITEM components python)
foreach(component IN LISTS components)
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CMAKE_BINARY_DIR} ${PROJECT_NAME} ${component} /)
endforeach()
include(CPack)
