# `format` rewrites our sources in place; `format-check` fails on any difference.
find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT)
  file(GLOB_RECURSE VORNELA_FORMAT_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)
  add_custom_target(format
    COMMAND ${CLANG_FORMAT} -i ${VORNELA_FORMAT_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} COMMENT "clang-format (rewrite)")
  add_custom_target(format-check
    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${VORNELA_FORMAT_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} COMMENT "clang-format (check)")
endif()
