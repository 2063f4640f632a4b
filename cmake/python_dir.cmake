# XKDTAZV_INSTALL_PYTHONDIR: where the Python package goes, relative to the
# install prefix. By default where Python looks for the prefix's packages:
#
#   /usr on a Debian system      lib/python3/dist-packages (what Debian's python3 searches)
#   other prefixes, Debian's     lib/python3.X/dist-packages (searched for /usr/local)
#   other interpreters           their site-packages layout for the prefix
#
# Outside the interpreter's own path, PYTHONPATH=<prefix>/<this directory> finds it.
set(XKDTAZV_INSTALL_PYTHONDIR "" CACHE STRING
  "Directory for the Python package, relative to the prefix (empty: Python's for the prefix)")

if(NOT XKDTAZV_INSTALL_PYTHONDIR)
  find_package(Python3 COMPONENTS Interpreter)
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND IS_DIRECTORY /usr/lib/python3/dist-packages)
    set(XKDTAZV_INSTALL_PYTHONDIR lib/python3/dist-packages)
  elseif(Python3_Interpreter_FOUND)
    execute_process(
      COMMAND ${Python3_EXECUTABLE} -c [[
import os, sys, sysconfig
prefix = sys.argv[1]
if "deb_system" in sysconfig.get_scheme_names():
    print("lib/python%d.%d/dist-packages" % sys.version_info[:2])
else:
    purelib = sysconfig.get_path("purelib", "posix_prefix", {"base": prefix, "platbase": prefix})
    print(os.path.relpath(purelib, prefix))
]] ${CMAKE_INSTALL_PREFIX}
      OUTPUT_VARIABLE XKDTAZV_INSTALL_PYTHONDIR
      OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE python_status)
    if(NOT python_status EQUAL 0)
      set(XKDTAZV_INSTALL_PYTHONDIR "")
    endif()
  endif()
  if(NOT XKDTAZV_INSTALL_PYTHONDIR)
    set(XKDTAZV_INSTALL_PYTHONDIR lib/python3/dist-packages)
  endif()
endif()
