# Script mode: the man page documents every subcommand and option that the
# built command's --help lists.
#
#   cmake -DCOMMAND=xkdtazv -DMAN_PAGE=xkdtazv.1 -P man_page.cmake
function(help_of output)
  execute_process(COMMAND ${COMMAND} ${ARGN} --help
    RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE help)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${COMMAND} ${ARGN} --help failed:\n${help}")
  endif()
  set(${output} "${help}" PARENT_SCOPE)
endfunction()

file(READ ${MAN_PAGE} page)
help_of(help)
string(REGEX REPLACE ".*\nSubcommands:\n" "" subcommand_lines "${help}")
string(REGEX MATCHALL "(^|\n)  [a-z][a-z0-9-]*" subcommands "${subcommand_lines}")
list(TRANSFORM subcommands REPLACE "[\n ]" "")
if(NOT subcommands)
  message(FATAL_ERROR "no subcommands in:\n${help}")
endif()

set(missing "")
foreach(subcommand IN LISTS subcommands)
  if(NOT page MATCHES "\n\\.BI? \"?${subcommand}[ \"\n]")
    list(APPEND missing "subcommand ${subcommand}")
  endif()
  help_of(subcommand_help ${subcommand})
  string(APPEND help "${subcommand_help}")
endforeach()

string(REGEX MATCHALL "--[a-z][a-z0-9-]*" options "${help}")
list(REMOVE_DUPLICATES options)
foreach(option IN LISTS options)
  string(REPLACE "-" "\\\\-" roff_option "${option}")   # roff writes - as \-
  if(NOT page MATCHES "${roff_option}")
    list(APPEND missing "option ${option}")
  endif()
endforeach()

if(missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "${MAN_PAGE} does not document: ${missing}")
endif()
