# What `cmake --install` puts where. Each file belongs to one component, split
# the way Debian splits a library (cmake/packaging.cmake makes a package of each):
#
#   runtime  libXKDTAZV.so.1, the automation library hosts load by name
#            (and libxkdtazv.so.1 when the core is built as a shared library)
#   dev      headers, the core library, the CMake package, the pkg-config file
#   tools    the xkdtazv command, its man page and the shipped example
#   python   the xkdtazv package for Python hosts
include(CMakePackageConfigHelpers)

set(XKDTAZV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/xkdtazv)

# A file compressed the way Debian ships documentation: gzip -9, no name or time
# (so the same input gives the same bytes).
function(xkdtazv_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# ---- The core library and its development files --------------------------

install(TARGETS xkdtazv EXPORT xkdtazv-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/xkdtazv
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
install(FILES ${PROJECT_BINARY_DIR}/include/xkdtazv/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/xkdtazv COMPONENT dev)

install(EXPORT xkdtazv-targets NAMESPACE xkdtazv::
  DESTINATION ${XKDTAZV_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/xkdtazv-config.cmake.in
  ${PROJECT_BINARY_DIR}/xkdtazv-config.cmake INSTALL_DESTINATION ${XKDTAZV_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/xkdtazv-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/xkdtazv-config.cmake
  ${PROJECT_BINARY_DIR}/xkdtazv-config-version.cmake
  DESTINATION ${XKDTAZV_CMAKE_DIR} COMPONENT dev)

# The pkg-config file finds the prefix from where it lies, so that it stays
# right for `cmake --install --prefix` and for a prefix moved as a whole.
file(RELATIVE_PATH XKDTAZV_PC_TO_PREFIX
  ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" XKDTAZV_PC_TO_PREFIX "${XKDTAZV_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/xkdtazv.pc.in ${PROJECT_BINARY_DIR}/xkdtazv.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/xkdtazv.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# ---- The automation library and the Python package over it ----------------

if(TARGET XKDTAZV)
  install(TARGETS XKDTAZV EXPORT xkdtazv-targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
  install(FILES ${PROJECT_SOURCE_DIR}/automation/include/xkdtazv/automation.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/xkdtazv COMPONENT dev)

  include(${CMAKE_CURRENT_LIST_DIR}/python_dir.cmake)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/xkdtazv
    DESTINATION ${XKDTAZV_INSTALL_PYTHONDIR} COMPONENT python
    PATTERN __pycache__ EXCLUDE)
endif()

# ---- The command ----------------------------------------------------------

if(TARGET xkdtazv_cli)
  install(TARGETS xkdtazv_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
  # In a directory the loader searches anyway, the command needs no search path
  # of its own (and Debian allows none).
  if(CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
    set_target_properties(xkdtazv_cli PROPERTIES INSTALL_RPATH "")
  endif()

  set(XKDTAZV_EXAMPLES_DIR ${CMAKE_INSTALL_FULL_DOCDIR}/examples)
  install(FILES
    ${PROJECT_SOURCE_DIR}/examples/payments.json
    ${PROJECT_SOURCE_DIR}/examples/payments.csv
    ${PROJECT_SOURCE_DIR}/examples/sender.json
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT tools)

  configure_file(${PROJECT_SOURCE_DIR}/man/xkdtazv.1.in ${PROJECT_BINARY_DIR}/man/xkdtazv.1 @ONLY)
  xkdtazv_gzip(${PROJECT_BINARY_DIR}/man/xkdtazv.1 ${PROJECT_BINARY_DIR}/man/xkdtazv.1.gz)
  add_custom_target(xkdtazv_man_page ALL DEPENDS ${PROJECT_BINARY_DIR}/man/xkdtazv.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/xkdtazv.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
endif()
