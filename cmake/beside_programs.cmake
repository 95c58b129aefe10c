# Files the programs find in a folder beside them ("Image Files", "Sound
# Files"), copied there at build time by an ALL target.
function(banmen_copy_beside_programs target folder comment)
    set(destination "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}")
    set(outputs)
    foreach(source ${ARGN})
        get_filename_component(name ${source} NAME)
        add_custom_command(OUTPUT "${destination}/${name}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${destination}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} "${destination}/${name}"
            DEPENDS ${source}
            COMMENT "${comment} ${name}"
            VERBATIM)
        list(APPEND outputs "${destination}/${name}")
    endforeach()
    add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
