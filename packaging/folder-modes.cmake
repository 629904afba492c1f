# Run by CPack on the tree it has installed and is about to pack (see
# CPACK_PRE_BUILD_SCRIPTS): every folder becomes rwxr-xr-x. CMake creates the
# folders with the builder's umask, which no install setting can widen, and
# the package would carry a 0700 or 0775 folder to every system it is
# installed on. Files already have fixed modes: 0755 for the program, 0644
# for the rest.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
