# Typesets the manual: runs GROFF on SOURCE with the ms macros, tables and
# pictures, writes the PDF aside and moves it to OUTPUT only when groff
# succeeded, so a failed run never leaves a broken manual in the plug-in
# folder. The fixed date makes every build of the same source identical.
# With IMG2PDF, IMAGES (a folder) and PICTURE_DIR (a scratch folder outside
# the plug-in folder), the pictures named in PICTURES (IMAGES/NAME.png) are
# turned into PDF pages in PICTURE_DIR that the manual's .Picture macro
# places; without them the manual is typeset without its pictures.
foreach(required GROFF SOURCE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "build_manual.cmake needs -D${required}=...")
  endif()
endforeach()

set(release_date_epoch 1635206400)  # 26 October 2021, the release of 1.2.0
get_filename_component(source_dir ${SOURCE} DIRECTORY)
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})

# Each picture is shown at 3/4 point per pixel (its size on a screen of 96
# pixels per inch), narrowed to the line length of six inches if wider.
set(picture_strings)
if(IMG2PDF AND IMAGES AND PICTURE_DIR)
  set(picture_dir ${PICTURE_DIR})
  file(MAKE_DIRECTORY ${picture_dir})
  foreach(name IN LISTS PICTURES)
    set(png ${IMAGES}/${name}.png)
    file(READ ${png} size_hex OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING ${size_hex} 0 8 width_hex)
    string(SUBSTRING ${size_hex} 8 8 height_hex)
    math(EXPR width_px "0x${width_hex}")
    math(EXPR height_px "0x${height_hex}")
    math(EXPR width_sp "${width_px} * 750")
    if(width_sp GREATER 432000)
      set(width_sp 432000)
    endif()
    math(EXPR height_sp "${height_px} * ${width_sp} / ${width_px}")
    execute_process(COMMAND ${IMG2PDF} --nodate ${png} -o ${picture_dir}/${name}.pdf
                    RESULT_VARIABLE status ERROR_VARIABLE messages)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "img2pdf could not convert ${png} (status ${status}):\n${messages}")
    endif()
    list(APPEND picture_strings -dpicture-${name}=${picture_dir}/${name}.pdf -dwidth-${name}=${width_sp}
         -dheight-${name}=${height_sp})
  endforeach()
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_date_epoch}
          ${GROFF} ${picture_strings} -ms -t -p -Tpdf -dpaper=a4 -P-pa4 -ww -I ${source_dir} ${SOURCE}
  OUTPUT_FILE ${OUTPUT}.partial
  ERROR_VARIABLE messages
  RESULT_VARIABLE status
)
if(NOT status EQUAL 0 OR NOT messages STREQUAL "")
  file(REMOVE ${OUTPUT}.partial)
  message(FATAL_ERROR "groff could not typeset ${SOURCE} (status ${status}):\n${messages}")
endif()
file(RENAME ${OUTPUT}.partial ${OUTPUT})
