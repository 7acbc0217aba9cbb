# Run by cpack on the staged tree before it is packed. The folders the installation creates
# follow the umask of whoever builds the package, and a package's folders must be readable to all
# (0755) whatever it was.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
