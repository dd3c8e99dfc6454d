# Draws the pictures of docs/images afresh into SCRATCH (make_images.cmake)
# and compares them byte for byte with the committed ones, so that the
# README and the manual never show a stale picture, and a build for another
# system (Windows under wine) is shown to draw the very same bytes.
#   cmake -DSTANDIN=... -DSOURCE=repo -DSCRATCH=dir [-DEMULATOR=...]
#         [-DPATH_PREFIX=...] -P compare_images.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -DSTANDIN=${STANDIN} -DSOURCE=${SOURCE} -DOUT=${SCRATCH}
                        "-DEMULATOR=${EMULATOR}" -DPATH_PREFIX=${PATH_PREFIX}
                        -P ${CMAKE_CURRENT_LIST_DIR}/make_images.cmake
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the pictures could not be drawn (above)")
endif()
file(GLOB drawn RELATIVE ${SCRATCH} ${SCRATCH}/*.png)
file(GLOB committed RELATIVE ${SOURCE}/docs/images ${SOURCE}/docs/images/*.png)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "docs/images holds ${committed} but standin draws ${drawn}: "
                      "run scripts/update-doc-images.sh and commit docs/images")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${SOURCE}/docs/images/${name}
                  RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "docs/images/${name} differs from what standin draws now (${SCRATCH}/${name}): "
                        "run scripts/update-doc-images.sh and commit docs/images")
  endif()
endforeach()
list(LENGTH drawn count)
message(STATUS "${count} pictures drawn the same as docs/images")
