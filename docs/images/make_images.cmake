# Draws the pictures of docs/images with a build's standin and plug-in: the
# mirror dialog as it first opens and with a copy's options switched on, the
# two dialogs of the Help menu, and one example scene before and after a
# mirror. scripts/update-doc-images.sh writes them into docs/images; the
# test docs.images_current draws them into the build folder and compares.
#   cmake -DSTANDIN=bin/standin -DSOURCE=repo -DOUT=dir [-DEMULATOR="wine|..."]
#         [-DPATH_PREFIX=Z:] -P make_images.cmake
# PATH_PREFIX is put before every path handed to standin: a Windows build
# under wine reaches this machine's files through drive Z:.
cmake_minimum_required(VERSION 3.25)
foreach(required STANDIN SOURCE OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "make_images.cmake needs -D${required}=...")
  endif()
endforeach()
string(REPLACE "|" ";" emulator "${EMULATOR}")
set(scratch ${OUT}/.drawing)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})

function(run_standin)
  execute_process(COMMAND ${emulator} ${STANDIN} ${ARGN} --quiet
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "standin ${ARGN} exited ${status}: ${errors}")
  endif()
endfunction()

set(example ${PATH_PREFIX}${SOURCE}/examples/arm.json)
set(shown ${PATH_PREFIX}${scratch})

# The dialogs, as a user opens them: the mirror command, then the copy's
# options, then both entries of the Help menu. Every dialog the plug-in opens
# is drawn into opened/ under its description id.
file(WRITE ${scratch}/dialogs.script
  "load ${example}\n"
  "command 1024416\n"
  "picture-dialog ${shown}/mirror-dialog.png\n"
  "set 10008 true\n"
  "set 10018 false\n"
  "set 10019 5201\n"
  "set 10020 0.2,0.6,1\n"
  "picture-dialog ${shown}/mirror-dialog-copy.png\n"
  "press 6000\n"
  "press 6002\n"
  "close\n")
run_standin(script ${shown}/dialogs.script --pictures ${shown}/opened)

# A mirrored copy of an example with many kinds of object, across X, before
# and after.
run_standin(mirror ${PATH_PREFIX}${SOURCE}/examples/mixed-hierarchy.json --axis x --duplicate --rename all
            --picture ${shown}/mirror-example.png --out ${shown}/mirrored.json)

foreach(copy "mirror-dialog.png;mirror-dialog.png" "mirror-dialog-copy.png;mirror-dialog-copy.png"
             "opened/10024.png;usage-dialog.png" "opened/10026.png;about-dialog.png"
             "mirror-example.png;mirror-example.png")
  list(GET copy 0 from)
  list(GET copy 1 to)
  if(NOT EXISTS ${scratch}/${from})
    message(FATAL_ERROR "standin drew no ${from}")
  endif()
  file(COPY_FILE ${scratch}/${from} ${OUT}/${to})
endforeach()
file(REMOVE_RECURSE ${scratch})
