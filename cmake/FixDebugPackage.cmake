# CPack post-build script: makes the -dbgsym package CPack 3.25 generates the way debhelper
# would. CPack writes its md5sums with the absolute paths of its staging folder and leaves the
# .debug files executable; dh_strip's packages also link their documentation folder to the
# main package's, where the copyright and changelog are.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "/([^/_]+)-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    set(main "${CMAKE_MATCH_1}")
    set(root "${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-fix")
    file(REMOVE_RECURSE "${root}")
    execute_process(COMMAND dpkg-deb --raw-extract "${package}" "${root}" COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE debug_files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/*")
    set(sums "")
    foreach(path IN LISTS debug_files)
        file(CHMOD "${root}/${path}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        file(MD5 "${root}/${path}" sum)
        string(APPEND sums "${sum}  ${path}\n")
    endforeach()
    file(WRITE "${root}/DEBIAN/md5sums" "${sums}")

    file(MAKE_DIRECTORY "${root}/usr/share/doc")
    file(CREATE_LINK "${main}" "${root}/usr/share/doc/${main}-dbgsym" SYMBOLIC)
    execute_process(COMMAND dpkg-deb --root-owner-group --build "${root}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${root}")
endforeach()
