# Run by CPack once the packages are written (CPACK_POST_BUILD_SCRIPTS): puts the -dbgsym
# package into the shape Debian's own have. CPack 3.25 lists its files in md5sums under
# their absolute paths in the build folder, so dpkg cannot verify them, and gives it no
# documentation folder; a Debian -dbgsym package shares its main package's folder through
# a symbolic link. The package is unpacked, mended and built again with dpkg-deb.
find_program(dpkg_deb dpkg-deb REQUIRED)

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "-dbgsym_[^/]*\\.ddeb$")
    continue()
  endif()
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${dpkg_deb} --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)

  # Debug information is data, not a program.
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/usr/*)
  set(sums "")
  foreach(file IN LISTS files)
    file(CHMOD ${tree}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 ${tree}/${file} sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE ${tree}/DEBIAN/md5sums "${sums}")

  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym
       SYMBOLIC)

  execute_process(COMMAND ${dpkg_deb} --root-owner-group --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
