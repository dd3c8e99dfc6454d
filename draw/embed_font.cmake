# Writes a C++ source that holds a font file's bytes, so that the program
# draws text without reading a font at run time and every platform draws
# the same pixels. Run as a script:
#   cmake -DINPUT=font.ttf -DOUTPUT=font.cpp -DSYMBOL=kName -P embed_font.cmake
foreach(variable INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "embed_font.cmake needs -D${variable}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Short lines (24 bytes each) keep the file friendly to editors and compilers.
string(REPEAT "0x..," 24 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.partial"
  "// Generated from ${name} by embed_font.cmake; do not edit.\n"
  "#include \"draw/embedded_fonts.h\"\n\n"
  "namespace standin::fonts {\n\n"
  "extern const unsigned char ${SYMBOL}Bytes[] = {\n${bytes}};\n"
  "extern const std::size_t ${SYMBOL}Size = ${size};\n\n"
  "}  // namespace standin::fonts\n")
file(RENAME "${OUTPUT}.partial" "${OUTPUT}")
