# Replays a fuzz target's regression inputs, then runs RUNS inputs mutated from its seeds with a
# fixed seed. New inputs go to a scratch folder so the checked-in corpus never changes.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/new ${WORK}/crash)
set(options -max_len=${MAX_LEN} -timeout=30 -rss_limit_mb=2048 -artifact_prefix=${WORK}/crash/)

function(check status log what)
  file(WRITE ${WORK}/log.txt "${log}")
  if(NOT status EQUAL 0)
    file(GLOB found ${WORK}/crash/*)
    message(FATAL_ERROR "fuzz_${NAME} failed on ${what} (${status}); the input: ${found}\n"
                        "Replay it with: ${FUZZER} ${found}\n${log}")
  endif()
endfunction()

# Whole files, one by one (as seeds they would be cut to MAX_LEN), and none passed over.
file(GLOB regressions ${SOURCE}/regression/${NAME}/*)
if(regressions)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env VORNELA_FUZZ_REPLAY=1 ${FUZZER} ${options} ${regressions}
                  OUTPUT_VARIABLE out ERROR_VARIABLE log RESULT_VARIABLE status)
  check("${status}" "${log}" "a regression input")
endif()

set(dict)
if(EXISTS ${SOURCE}/${NAME}.dict)
  set(dict -dict=${SOURCE}/${NAME}.dict)
endif()
execute_process(
  COMMAND ${FUZZER} ${options} -runs=${RUNS} -seed=1 -print_final_stats=1 ${dict}
          ${WORK}/new ${SOURCE}/corpus/${NAME}
  OUTPUT_VARIABLE out ERROR_VARIABLE log RESULT_VARIABLE status)
check("${status}" "${log}" "a mutated input")
string(REGEX MATCH "number_of_executed_units: *[0-9]+" executed "${log}")
message(STATUS "fuzz_${NAME}: ${executed}")
