# Run by cpack on its staging folder before it packs it (CPACK_PRE_BUILD_SCRIPTS): the
# executables are already stripped of their symbols; this takes away the compilers'
# .comment and .note sections too, as Debian's own packaging does.
file(GLOB_RECURSE executables LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
foreach(executable ${executables})
    execute_process(COMMAND "${CPACK_KORVO_STRIP}" --remove-section=.comment --remove-section=.note "${executable}"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot strip ${executable}")
    endif()
endforeach()
