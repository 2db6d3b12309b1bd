# Run by CPack once the package's files are staged: the permissions Debian expects, whatever
# the umask of whoever builds the package or checked the sources out. Directories become
# rwxr-xr-x, and files rw-r--r--, or rwxr-xr-x when they could be run.
execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
