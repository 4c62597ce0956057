# Writes OUTPUT, a header giving the program's build version: VERSION, and
# the commit of SOURCE_DIR when it is a git checkout. The header is rewritten
# only when its text changes, so an unchanged build recompiles nothing.
set(text "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=10 HEAD
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND commit)
        set(text "${VERSION} (commit ${commit})")
    endif()
endif()
set(header "// Made by cmake/BuildVersion.cmake at build time.\n#pragma once\n#define TRELVANE_BUILD_VERSION \"${text}\"\n")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL header)
    file(WRITE "${OUTPUT}" "${header}")
endif()
