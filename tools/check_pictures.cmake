# Runs the picture tool into a scratch folder and checks that it writes
# exactly the pictures kept in docs/.
#   cmake -DTOOL=... -DOUT=... -DDOCS=... -P check_pictures.cmake
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${TOOL}" "${OUT}" RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
if(failed)
    message(FATAL_ERROR "render_windows failed")
endif()
file(GLOB written RELATIVE "${OUT}" "${OUT}/*.png")
file(GLOB kept RELATIVE "${DOCS}" "${DOCS}/*.png")
list(SORT written)
list(SORT kept)
if(NOT written STREQUAL kept)
    message(FATAL_ERROR "render_windows writes [${written}] but docs/ holds [${kept}]")
endif()
