# Runs the picture tool into a scratch folder and checks that it writes
# exactly the pictures kept in docs/, pixel for pixel. With the environment
# variable MORVANE_REWRITE_GOLDEN=1 each picture that differs is copied into
# docs/ instead (a change made on purpose; review it before committing).
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
if("$ENV{MORVANE_REWRITE_GOLDEN}" STREQUAL "1")
    set(rewrite --rewrite)
endif()
execute_process(COMMAND "${TOOL}" --compare "${OUT}" "${DOCS}" ${rewrite} RESULT_VARIABLE differ OUTPUT_VARIABLE report)
if(differ)
    message(FATAL_ERROR "pictures in docs/ differ from what render_windows draws now (offscreen, scale 1):\n${report}"
                        "Pictures drawn now: ${OUT}\n"
                        "If the change is meant: MORVANE_REWRITE_GOLDEN=1 ctest --test-dir build -L golden")
elseif(rewrite)
    message(STATUS "${report}")
endif()
