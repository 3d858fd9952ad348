# Makes the Debian package with Debian's own tools, as a package build does: the files
# installed into a package tree below debian/, stripped as Debian strips them, the
# libraries they need found by dpkg-shlibdeps, the control file (with the installed size
# as dpkg reckons it) written by dpkg-gencontrol from debian/control and the changelog,
# and the package built by dpkg-deb under the name its fields give.
#
#   cmake -D BUILD=DIR -D WORK=DIR -D CHANGELOG=FILE -D STRIP=PROGRAM -D OUTPUT=DIR
#         -P make_package.cmake
set(tree debian/capcalc)
set(program_folder ${tree}/usr/lib/capcalc)

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# What the install rules put under /usr, in a fresh tree.
function(install_tree)
  file(REMOVE_RECURSE ${WORK}/${tree} ${WORK}/${tree}.substvars ${WORK}/debian/files)
  file(MAKE_DIRECTORY ${WORK}/${tree}/DEBIAN)
  run(${CMAKE_COMMAND} -E env DESTDIR=${WORK}/${tree} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr)
endfunction()

# No symbols, comments or notes: what a debugger would want stays in the build tree.
function(strip_programs)
  run(${STRIP} --remove-section=.comment --remove-section=.note
      ${program_folder}/capcalc ${program_folder}/capcalc-script)
  run(${STRIP} --remove-section=.comment --remove-section=.note --strip-unneeded
      ${program_folder}/SkinEngine.so)
endfunction()

# The checksums dpkg keeps of the package's files (links have none).
function(write_checksums)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${WORK}/${tree} ${WORK}/${tree}/usr/*)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    if(NOT IS_SYMLINK ${WORK}/${tree}/${file})
      file(MD5 ${WORK}/${tree}/${file} sum)
      string(APPEND sums "${sum}  ${file}\n")
    endif()
  endforeach()
  file(WRITE ${WORK}/${tree}/DEBIAN/md5sums "${sums}")
endfunction()

install_tree()
strip_programs()
run(dpkg-shlibdeps -T${tree}.substvars ${program_folder}/capcalc ${program_folder}/capcalc-script
    ${program_folder}/SkinEngine.so)
run(dpkg-gencontrol -pcapcalc -l${CHANGELOG} -cdebian/control -T${tree}.substvars -P${tree}
    -fdebian/files)
write_checksums()
# Whatever the umask was: directories 0755, the control files 0644.
file(CHMOD_RECURSE ${WORK}/${tree} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD ${WORK}/${tree}/DEBIAN/control ${WORK}/${tree}/DEBIAN/md5sums
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(MAKE_DIRECTORY ${OUTPUT})
run(dpkg-deb --root-owner-group --build ${tree} ${OUTPUT})
