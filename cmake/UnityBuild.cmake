# Batched (unity) builds compile several sources as one, which halves a cold build. Xlib's
# macros (None, Bool, Status) break any Qt header that follows them in a batch, so each source
# that reaches Xlib is compiled on its own.
function(wigglet_compile_xlib_users_apart target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source ${sources})
        get_filename_component(path ${source} ABSOLUTE BASE_DIR ${dir})
        if(NOT path MATCHES "\\.cpp$")
            continue()
        endif()
        file(STRINGS ${path} xlib REGEX "#include [<\"](X11/|platform/linux/x11/|support/X)")
        if(xlib)
            set_source_files_properties(${path} TARGET_DIRECTORY ${target}
                PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
    endforeach()
endfunction()
