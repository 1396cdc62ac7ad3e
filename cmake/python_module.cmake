# The Python module (app/python/) is built on Linux where pybind11 and the
# development files of Debian's python3 are found. Its extension is a shared
# object holding the core's static libraries, so they are compiled as
# position-independent code then; the programs, already PIE by Debian's
# default, write the same workbooks either way.
option(ORDELIX_PYTHON "Build the Python module where pybind11 and Python 3's headers are found" ON)
set(ORDELIX_PYTHON_MODULE OFF)
if(ORDELIX_PYTHON AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT CMAKE_CROSSCOMPILING
   AND NOT ORDELIX_SANITIZE AND NOT ORDELIX_FUZZ)
  # The interpreter `cmake --install` puts the module in front of, whatever
  # another python3 comes first on the PATH.
  if(EXISTS /usr/bin/python3)
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the module is built for")
  endif()
  find_package(Python3 COMPONENTS Interpreter Development.Module)
  if(Python3_FOUND)
    find_package(pybind11 CONFIG QUIET)
  endif()
  if(Python3_FOUND AND pybind11_FOUND)
    set(ORDELIX_PYTHON_MODULE ON)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  else()
    message(STATUS "No Python module: pybind11 (pybind11-dev) or python3-dev is missing")
  endif()
endif()
