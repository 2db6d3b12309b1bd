# Read by CPack before it packs: the time the package's files and members carry is the
# release's, which the DEB generator takes from SOURCE_DATE_EPOCH.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_VARNEL_SOURCE_DATE_EPOCH})
