# Makes the portable download, NAME.tar.gz, from the build tree's own install rules (those the
# Debian package is made from), run as `cmake -D... -P make_tarball.cmake`:
#   BUILD          the build tree            STAGE    a scratch folder
#   NAME           the top folder's name     OUTPUT   the .tar.gz
#   BINDIR, MODULE_DESTINATION, DATADIR      where the install rules put the program, the module
#                                            and the data, relative to the prefix
#   README, INSTALL_SCRIPT, TIME             the short README, install.sh, the release time
# The program and its module stand at the top, beside each other, so that the program runs from
# the unpacked folder; the data keeps its installed layout under share/, where install.sh takes
# it from. The licence is the installed one; the repository's README gives way to the short one.
# The archive lists its entries by name, owned by 0:0 without names, every one with the release
# time and rw-r--r-- or rwxr-xr-x, compressed without a name or a time: the same sources give the
# same bytes whoever builds them, wherever, whenever and under whatever umask.
foreach(variable BUILD STAGE NAME OUTPUT BINDIR MODULE_DESTINATION DATADIR README INSTALL_SCRIPT TIME)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "make_tarball.cmake needs -D${variable}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
set(installed ${STAGE}/installed)
set(top ${STAGE}/${NAME})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${installed} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY ${top})
file(RENAME ${installed}/${BINDIR}/varnel ${top}/varnel)
file(RENAME ${installed}/${MODULE_DESTINATION}/varnel-accessibility.so
     ${top}/varnel-accessibility.so)
file(RENAME ${installed}/${DATADIR}/doc/varnel/LICENSE ${top}/LICENSE)
file(REMOVE_RECURSE ${installed}/${DATADIR}/doc)
file(RENAME ${installed}/${DATADIR} ${top}/share)
file(COPY_FILE ${README} ${top}/README)
file(COPY_FILE ${INSTALL_SCRIPT} ${top}/install.sh)
file(CHMOD ${top}/install.sh PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
# Whatever else the install rules put in place would go unnoticed: fail on it.
file(GLOB_RECURSE left_over LIST_DIRECTORIES false ${installed}/*)
if(left_over)
    message(FATAL_ERROR "The portable download has no place for: ${left_over}")
endif()

execute_process(COMMAND chmod -R u=rwX,go=rX ${top} COMMAND_ERROR_IS_FATAL ANY)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
            tar --create --format=gnu --sort=name --mtime=@${TIME} --owner=0 --group=0
                --numeric-owner --directory=${STAGE} ${NAME}
    COMMAND gzip -9 --no-name
    OUTPUT_FILE ${OUTPUT}
    COMMAND_ERROR_IS_FATAL ANY)
