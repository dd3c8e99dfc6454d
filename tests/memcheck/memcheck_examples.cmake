# Runs PROGRAM under VALGRIND on every scene in EXAMPLES; fails on the first
# memcheck error or leak, with valgrind's report. Outputs go to WORK.
if(NOT VALGRIND)
  message(FATAL_ERROR "valgrind is missing; scripts/install-deps.sh installs it")
endif()
set(memcheck ${VALGRIND} --quiet --error-exitcode=99 --leak-check=full
    --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect)

function(run_checked label)
  execute_process(COMMAND ${memcheck} ${PROGRAM} ${ARGN}
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${label}: exit status ${status} under memcheck\n${err}")
  endif()
endfunction()

file(GLOB scenes ${EXAMPLES}/*.json)
list(LENGTH scenes count)
foreach(scene ${scenes})
  get_filename_component(name ${scene} NAME_WE)
  run_checked(${name} mirror ${scene} --axis x --duplicate --rename all --no-keep-color --color-mode always
    --color 1,0,0 --final-command --undo --redo --out ${WORK}/${name}.json --journal ${WORK}/${name}.jsonl
    --report ${WORK}/${name}.report.json)
endforeach()

# Every menu entry: the usage and about dialogs with their banners, the
# manual's open request, and closing the dialog.
file(WRITE ${WORK}/help.txt "load ${EXAMPLES}/arm.json\ncommand 1024416\n")
foreach(entry 6000 6001 6002 6010)
  file(APPEND ${WORK}/help.txt "press ${entry}\n")
endforeach()
run_checked(help script ${WORK}/help.txt --journal ${WORK}/help.jsonl)
message(STATUS "memcheck: ${count} example scenes and the Help menu, no errors")
