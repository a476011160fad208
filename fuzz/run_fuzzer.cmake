# Runs one fuzz target for a bounded time on a copy of its seed corpus, so
# that the corpus kept in the repository stays as it is. Inputs that break
# a check are kept in WORK/findings.
# cmake -DFUZZER=... -DCORPUS=... -DWORK=... -P run_fuzzer.cmake

set(seconds 30)
if(DEFINED ENV{MORVANE_FUZZ_SECONDS})
    set(seconds $ENV{MORVANE_FUZZ_SECONDS})
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
file(COPY ${CORPUS}/ DESTINATION ${WORK}/corpus)

execute_process(
    COMMAND ${FUZZER} -max_total_time=${seconds} -timeout=10 -print_final_stats=1
            -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(GLOB findings ${WORK}/findings/*)
    message(FATAL_ERROR "${FUZZER} failed (${status}); the input: ${findings}")
endif()
