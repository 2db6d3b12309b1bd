# Run by CPack in its staging tree, not by `cmake --install`: the files that every Debian
# package carries beside the program's own (Debian's copy of the licence, a changelog, and the
# lintian overrides).

# The staging tree is the package's root; CMAKE_INSTALL_PREFIX here would name this machine's.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${usr}/share/doc/${CPACK_PACKAGE_NAME})

# The copyright file in Debian's machine-readable form, made from LICENSE: its holder, and its
# permission text indented one space with empty lines written as " .". Debian calls the MIT
# licence Expat.
file(READ ${CPACK_VARNEL_LICENSE} text)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${text}")
set(holder "${CMAKE_MATCH_1}")
string(FIND "${text}" "Permission" start)
string(SUBSTRING "${text}" ${start} -1 text)
string(STRIP "${text}" text)
string(REPLACE "\n\n" "\n.\n" text "${text}")
string(REPLACE "\n" "\n " text "${text}")
file(WRITE ${doc}/copyright
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Varnel\n"
    "Upstream-Contact: ${CPACK_DEBIAN_PACKAGE_MAINTAINER}\n"
    "Source: ${CPACK_DEBIAN_PACKAGE_HOMEPAGE}\n"
    "\n"
    "Files: *\n"
    "Copyright: ${holder}\n"
    "License: Expat\n"
    " ${text}\n")

# The changelog, dated with the release date, compressed without a timestamp.
execute_process(COMMAND date -u -R -d "${CPACK_VARNEL_RELEASE_DATE}"
                OUTPUT_VARIABLE CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CPACK_VARNEL_CHANGELOG} ${doc}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${doc}/changelog COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY ${usr}/share/lintian/overrides)
file(COPY_FILE ${CPACK_VARNEL_LINTIAN_OVERRIDES}
     ${usr}/share/lintian/overrides/${CPACK_PACKAGE_NAME})
