# Runs `vitrel-bench --summary-small` and checks that it ends well and
# prints exactly one line for each case. Times are not checked: they depend
# on the machine.
set(cases
  BM_MirrorPolygonObject BM_StreamReference BM_FusedReference BM_MirrorSpline BM_MirrorLattice BM_MirrorWideGroup
  BM_MirrorDeepChain BM_MirrorMixedRig BM_UndoRedo BM_ReadScene BM_WriteScene BM_CopyFile)

execute_process(COMMAND ${BENCH} --summary-small RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vitrel-bench --summary-small ended with ${status}:\n${output}${errors}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${output}")
list(LENGTH lines line_count)
list(LENGTH cases case_count)
if(NOT line_count EQUAL case_count)
  message(FATAL_ERROR "expected ${case_count} lines, one per case, got ${line_count}:\n${output}")
endif()
foreach(name IN LISTS cases)
  set(found 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^${name} +[0-9.e+-]+ [num]?s at .* growth +-?[0-9.]+")
      math(EXPR found "${found} + 1")
    endif()
  endforeach()
  if(NOT found EQUAL 1)
    message(FATAL_ERROR "expected one measured line for ${name}, found ${found}:\n${output}")
  endif()
endforeach()
