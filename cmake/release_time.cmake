# The time that Varnel's downloads carry wherever their formats store one (the Windows
# program's header, the files in the zip, in the installer and in the Debian package), in
# seconds since 1970: the time of the commit they are built from, so that the same sources give
# the same bytes whenever, wherever and by whomever they are built. SOURCE_DATE_EPOCH in the
# environment takes its place, as the reproducible-builds convention has it; sources without
# their own git history fall back to the release date. It is read when CMake configures, and
# the commands that use it name it, so a new value rebuilds what carries it.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(release_time "$ENV{SOURCE_DATE_EPOCH}")
    set(release_time_origin "SOURCE_DATE_EPOCH")
else()
    # Only the sources' own history counts, not that of a repository they were unpacked in.
    execute_process(COMMAND git rev-parse --show-cdup
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE above_top OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    if(git_result EQUAL 0 AND above_top STREQUAL "")
        execute_process(COMMAND git log -1 --format=%ct
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
        set(release_time_origin "the last commit")
    else()
        execute_process(COMMAND date -u -d "${VARNEL_RELEASE_DATE}" +%s
                        OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
        set(release_time_origin "the release date (no git history)")
    endif()
endif()
if(NOT release_time MATCHES "^[0-9]+$")
    message(FATAL_ERROR "The release time is not a number of seconds: '${release_time}'")
endif()
# In the cache, where a second build of the same sources finds it.
set(VARNEL_SOURCE_DATE_EPOCH ${release_time} CACHE INTERNAL "The time the downloads carry" FORCE)
message(STATUS "Release time: ${VARNEL_SOURCE_DATE_EPOCH}, from ${release_time_origin}")
