# Run as a test: every C++ file of ours must already be as clang-format
# (with the repository's .clang-format) would write it.
file(GLOB_RECURSE sources LIST_DIRECTORIES false
     RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/core/*.[ch]* ${SOURCE_DIR}/timing/*.[ch]* ${SOURCE_DIR}/config/*.[ch]*
     ${SOURCE_DIR}/devicelink/*.[ch]* ${SOURCE_DIR}/simfeeds/*.[ch]* ${SOURCE_DIR}/flightlog/*.[ch]* ${SOURCE_DIR}/tools/*.[ch]* ${SOURCE_DIR}/joystick/*.[ch]*
     ${SOURCE_DIR}/panel/*.[ch]*
     ${SOURCE_DIR}/settings/*.[ch]* ${SOURCE_DIR}/web/*.[ch]* ${SOURCE_DIR}/app/*.[ch]* ${SOURCE_DIR}/tests/*.[ch]*
     ${SOURCE_DIR}/bench/*.[ch]* ${SOURCE_DIR}/fuzz/*.[ch]*)
list(FILTER sources INCLUDE REGEX "\\.(cpp|h)$")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files above are not formatted; run ./dev format")
endif()
