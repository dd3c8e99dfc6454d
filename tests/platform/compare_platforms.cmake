# Mirrors every example on every axis with the Linux standin and with this
# build's standin (run through EMULATOR), each loading its own plug-in, and
# compares what they wrote byte for byte. The journals may differ only in
# the path of the plug-in library that each host loaded (another file name
# on each system); that path is replaced by <plug-in library> in both
# before they are compared.
#   cmake -DEXAMPLES=dir -DREFERENCE=linux/bin/standin -DPROGRAM=standin.exe
#         -DEMULATOR="wine64|..." -DSCRATCH=dir -P compare_platforms.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${REFERENCE}")
  message(FATAL_ERROR "no Linux standin at ${REFERENCE}: build the default preset first (scripts/test.sh does)")
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

function(run_mirror label program example axis)
  execute_process(COMMAND ${ARGN} ${program} mirror ${example} --axis ${axis}
                          --out ${label}.json --journal ${label}.jsonl
                  WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${label}: standin mirror ${example} --axis ${axis} exited ${status}: ${err}")
  endif()
endfunction()

function(normalised_journal file out)
  file(READ ${file} text)
  string(REGEX REPLACE "\"path\":\"[^\"]*vitrel\\.(so|xdl64|xlib)\"" "\"path\":\"<plug-in library>\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(GLOB examples ${EXAMPLES}/*.json)
set(compared 0)
foreach(example IN LISTS examples)
  get_filename_component(name ${example} NAME_WE)
  foreach(axis x y z)
    run_mirror(linux ${REFERENCE} ${example} ${axis})
    run_mirror(other ${PROGRAM} "Z:${example}" ${axis} ${emulator})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/linux.json ${SCRATCH}/other.json
                    RESULT_VARIABLE differ)
    if(differ)
      message(FATAL_ERROR "${name} --axis ${axis}: the mirrored scenes differ (${SCRATCH}/linux.json, other.json)")
    endif()
    normalised_journal(${SCRATCH}/linux.jsonl linux_journal)
    normalised_journal(${SCRATCH}/other.jsonl other_journal)
    if(NOT linux_journal STREQUAL other_journal)
      message(FATAL_ERROR "${name} --axis ${axis}: the journals differ beyond the plug-in library's path "
                          "(${SCRATCH}/linux.jsonl, other.jsonl)")
    endif()
    math(EXPR compared "${compared} + 1")
  endforeach()
endforeach()
message(STATUS "${compared} mirror runs gave the same scene and journal on both systems "
               "(journals compared with the plug-in library's path normalised)")
