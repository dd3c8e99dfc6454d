# Typesets the manual: runs GROFF on SOURCE with the ms macros, tables and
# pictures, writes the PDF aside and moves it to OUTPUT only when groff
# succeeded, so a failed run never leaves a broken manual in the plug-in
# folder. The fixed date makes every build of the same source identical.
foreach(required GROFF SOURCE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "build_manual.cmake needs -D${required}=...")
  endif()
endforeach()

set(release_date_epoch 1635206400)  # 26 October 2021, the release of 1.2.0
get_filename_component(source_dir ${SOURCE} DIRECTORY)
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_date_epoch}
          ${GROFF} -ms -t -p -Tpdf -dpaper=a4 -P-pa4 -ww -I ${source_dir} ${SOURCE}
  OUTPUT_FILE ${OUTPUT}.partial
  ERROR_VARIABLE messages
  RESULT_VARIABLE status
)
if(NOT status EQUAL 0 OR NOT messages STREQUAL "")
  file(REMOVE ${OUTPUT}.partial)
  message(FATAL_ERROR "groff could not typeset ${SOURCE} (status ${status}):\n${messages}")
endif()
file(RENAME ${OUTPUT}.partial ${OUTPUT})
