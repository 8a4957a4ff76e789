# Each layer's headers are reachable only through its target: they are linked into a folder
# of the build tree that the target alone exposes. An include against the layer order then
# fails to compile instead of passing unnoticed.
function(wigglet_expose_headers target)
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${root})
    foreach(dir ${ARGN})
        file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.h)
        file(MAKE_DIRECTORY ${root}/${dir})
        foreach(header ${headers})
            get_filename_component(name ${header} NAME)
            file(CREATE_LINK ${header} ${root}/${dir}/${name} SYMBOLIC)
        endforeach()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# A static library of one layer: the sources of its folders, its headers exposed as above.
function(wigglet_layer target)
    cmake_parse_arguments(LAYER "" "" "DIRS;LINK" ${ARGN})
    set(sources)
    foreach(dir ${LAYER_DIRS})
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    add_library(${target} STATIC ${sources})
    wigglet_expose_headers(${target} ${LAYER_DIRS})
    target_link_libraries(${target} PUBLIC ${LAYER_LINK})
endfunction()
