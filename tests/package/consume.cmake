# Script mode: install everything into a scratch prefix, then use it from there.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(library_path ${prefix}/${LIBDIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed:\n${out}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# A C++ consumer through the CMake package, and the C host example built
# against the installed header alone.
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix}
    -DC_HOST=${WITH_AUTOMATION}
    -DC_HOST_SOURCE=${EXAMPLES_DIR}/c_host/c_host.c
    # A sanitizer build's library needs the same runtime in its consumer.
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_C_FLAGS=${C_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer ${WORK_DIR})

# The same consumer through pkg-config.
set(ENV{PKG_CONFIG_PATH} ${library_path}/pkgconfig)
execute_process(COMMAND pkg-config --cflags --libs --static --print-errors xkdtazv
  RESULT_VARIABLE status OUTPUT_VARIABLE pkg_flags ERROR_VARIABLE pkg_flags
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config xkdtazv failed:\n${pkg_flags}")
endif()
separate_arguments(pkg_flags UNIX_COMMAND "${pkg_flags}")
separate_arguments(build_flags UNIX_COMMAND "${CXX_FLAGS} ${LINKER_FLAGS}")
file(MAKE_DIRECTORY ${WORK_DIR}/pkg-config)
run(${CXX_COMPILER} -std=c++20 ${build_flags} ${CONSUMER_DIR}/main.cc ${pkg_flags}
    -o ${WORK_DIR}/pkg-config/consumer)
run(${WORK_DIR}/pkg-config/consumer ${WORK_DIR}/pkg-config)

# The hosts find libXKDTAZV.so.1 by its soname, as in a system directory.
if(WITH_AUTOMATION)
  file(MAKE_DIRECTORY ${WORK_DIR}/c_host)
  run(${CMAKE_COMMAND} -E env --unset=XKDTAZV_LIBRARY LD_LIBRARY_PATH=${library_path}
      ${WORK_DIR}/build/c_host ${WORK_DIR}/c_host)

  # A sanitized library needs its runtime preloaded into Python; the Python
  # host is tested under the sanitizers in the build tree instead.
  if(PYTHON AND NOT SANITIZED)
    file(GLOB_RECURSE installed_package ${prefix}/__init__.py)
    list(FILTER installed_package INCLUDE REGEX "/xkdtazv/__init__.py$")
    list(LENGTH installed_package installed_count)
    if(NOT installed_count EQUAL 1)
      message(FATAL_ERROR "expected one installed xkdtazv package: ${installed_package}")
    endif()
    get_filename_component(package_dir ${installed_package} DIRECTORY)
    get_filename_component(python_dir ${package_dir} DIRECTORY)
    file(MAKE_DIRECTORY ${WORK_DIR}/python)
    run(${CMAKE_COMMAND} -E env --unset=XKDTAZV_LIBRARY
        PYTHONPATH=${python_dir} LD_LIBRARY_PATH=${library_path}
        XDG_DATA_HOME=${WORK_DIR}/data PYTHONDONTWRITEBYTECODE=1
        ${PYTHON} ${PYTHON_HOST} ${prefix} ${prefix} ${WORK_DIR}/python)
  endif()
endif()

# The command on the shipped example: written, with the findings the example
# carries on purpose (status 1).
if(WITH_COMMAND)
  file(MAKE_DIRECTORY ${WORK_DIR}/command)
  execute_process(COMMAND ${prefix}/${BINDIR}/xkdtazv generate ${EXAMPLES_DIR}/payments.json
      --out ${WORK_DIR}/command --name DTAZV
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT (status EQUAL 0 OR status EQUAL 1) OR NOT EXISTS ${WORK_DIR}/command/DTAZV)
    message(FATAL_ERROR "the installed xkdtazv generate gave ${status}:\n${out}")
  endif()
  foreach(installed share/man/man1/xkdtazv.1.gz share/doc/xkdtazv/examples/payments.json)
    if(NOT EXISTS ${prefix}/${installed})
      message(FATAL_ERROR "not installed: ${installed}")
    endif()
  endforeach()
endif()
