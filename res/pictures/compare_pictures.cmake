# Draws the pictures again into SCRATCH with GENERATOR and compares them byte
# for byte with those of the build in BUILT: the pictures must come out the
# same on every run, so that regenerating them never changes the plug-in.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${GENERATOR} write ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "drawing the pictures again failed: ${status}")
endif()
file(GLOB again RELATIVE ${SCRATCH} ${SCRATCH}/*.tif)
if(NOT again)
  message(FATAL_ERROR "no picture was drawn into ${SCRATCH}")
endif()
foreach(name IN LISTS again)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILT}/${name} ${SCRATCH}/${name}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${name} differs from the built one")
  endif()
endforeach()
