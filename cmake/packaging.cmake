# Debian packages, one per install component (cmake/install.cmake):
#
#   libxkdtazv1      runtime  libXKDTAZV.so.1
#   libxkdtazv-dev   dev      headers, static library, CMake package, pkg-config file
#   xkdtazv          tools    the command, its man page, the example
#   python3-xkdtazv  python   the Python package
#
#   cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build-package && (cd build-package && cpack -G DEB)
#
# dpkg-shlibdeps finds the shared libraries each package needs (ICU, the C++
# runtime, and whatever else the code links), so a new dependency needs no edit here.
# A project that includes XKDTAZV packages itself.
if(NOT XKDTAZV_MASTER_PROJECT)
  return()
endif()

set(XKDTAZV_PACKAGE_MAINTAINER "XKDTAZV developers <xkdtazv@example.org>" CACHE STRING
  "Maintainer of the Debian packages: name <address>")
set(XKDTAZV_DEB_RELEASE 1)

# ---- Debian's copyright and changelog, in each package only ---------------
# EXCLUDE_FROM_ALL: CPack installs them component by component; a plain
# `cmake --install` leaves them out.

configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in
  ${PROJECT_BINARY_DIR}/packaging/changelog.Debian @ONLY)
xkdtazv_gzip(${PROJECT_BINARY_DIR}/packaging/changelog.Debian
  ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_target(xkdtazv_package_changelog ALL
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)

function(xkdtazv_package component package)
  string(TOUPPER ${component} key)
  set(CPACK_DEBIAN_${key}_PACKAGE_NAME ${package} PARENT_SCOPE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/copyright
    ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

set(XKDTAZV_PACKAGED dev)
xkdtazv_package(dev libxkdtazv-dev)
if(TARGET XKDTAZV)
  list(APPEND XKDTAZV_PACKAGED runtime python)
  xkdtazv_package(runtime libxkdtazv1)
  xkdtazv_package(python python3-xkdtazv)
endif()
if(TARGET xkdtazv_cli)
  list(APPEND XKDTAZV_PACKAGED tools)
  xkdtazv_package(tools xkdtazv)
endif()

# ---- CPack ---------------------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xkdtazv)
set(CPACK_PACKAGE_VENDOR "XKDTAZV developers")
set(CPACK_PACKAGE_CONTACT ${XKDTAZV_PACKAGE_MAINTAINER})
set(CPACK_COMPONENTS_ALL ${XKDTAZV_PACKAGED})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${XKDTAZV_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${XKDTAZV_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The command needs libXKDTAZV.so.1, which no installed package provides yet:
# dpkg-shlibdeps looks for it in the build; the dependency on libxkdtazv1 comes
# from the components' own dependencies below.
if(TARGET XKDTAZV)
  get_target_property(XKDTAZV_BUILT_IN XKDTAZV BINARY_DIR)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${XKDTAZV_BUILT_IN})
endif()
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# A package with a shared library tells dpkg-shlibdeps what a package linking
# it needs (shlibs), and has the loader's cache updated when installed (triggers).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/deb/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "DTAZV payment files: automation library for C and Python hosts
libXKDTAZV.so.1 writes DTAZV files, the fixed-width format in which German
companies hand foreign and cross-border credit transfers to their bank. Hosts
create its DtAzvDatei, MeineInfo and GeldTransfer objects through class
factories and drive them by virtual-table slot or by member name.")

# The static core library needs ICU at link time, and the CMake package finds it.
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libicu-dev")
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_DESCRIPTION
  "DTAZV payment files: C++ library and development files
The C++ library that fills, checks and writes DTAZV payment files, with its
headers, its CMake package (find_package(xkdtazv)) and pkg-config file, and the
C header of the automation library libXKDTAZV.so.1.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_TOOLS_DEPENDS runtime)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
  "DTAZV payment files: command to write and check them
xkdtazv generate writes a DTAZV file from a JSON or CSV batch of payments;
xkdtazv inspect shows a DTAZV file field by field and checks it the way a bank
does. An example batch comes with it.")

# The package loads libXKDTAZV.so.1 by its soname; it holds no compiled code.
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3")
set(CPACK_COMPONENT_PYTHON_DEPENDS runtime)
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
  "DTAZV payment files: Python host
The xkdtazv Python package drives the DTAZV automation library libXKDTAZV.so.1
by member name: xkdtazv.CreateObject('XKDTAZV.DtAzvDatei').")

include(CPack)
