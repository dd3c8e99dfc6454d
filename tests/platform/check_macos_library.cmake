# Reads the macOS plug-in as the host would meet it (nothing built for macOS
# runs here) and fails with one line unless it is an x86-64 Mach-O bundle or
# dylib for macOS MINOS and later that loads only the system library and
# exports only the entry point and the module declaration, with the manual
# and res/ beside it. (A leading space keeps CMake from wrapping the line.)
#   cmake -DLIBRARY=... -DMINOS=11.7 -DOBJDUMP=llvm-objdump-14 -P <this>
execute_process(COMMAND ${OBJDUMP} --macho --private-headers --exports-trie ${LIBRARY}
  OUTPUT_VARIABLE dump ERROR_VARIABLE dump)
string(REGEX MATCH "MH_MAGIC[^\n]*" header "${dump}")
if(NOT header)
  set(header "${dump}")  # what llvm-objdump says of a file that is no Mach-O
endif()
string(REGEX MATCH "platform macos\n[^\n]*\n *minos ([0-9.]+)" minos "${dump}")
set(minos "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "LC_(LOAD|LOAD_WEAK|LOAD_UPWARD|LAZY_LOAD|REEXPORT)_DYLIB\n[^\n]*\n *name [^ ]+" loads "${dump}")
string(REGEX REPLACE ".*Exports trie:\n" "" trie "${dump}")
string(REGEX MATCHALL "0x[0-9A-F]+ +[^\n]+" exports "${trie}")
list(TRANSFORM loads REPLACE ".* " "")
list(TRANSFORM exports REPLACE ".* " "")
list(SORT exports)
if(NOT header MATCHES "^MH_MAGIC_64 +X86_64 .* (BUNDLE|DYLIB) " OR NOT minos VERSION_EQUAL MINOS
   OR NOT loads STREQUAL "/usr/lib/libSystem.B.dylib" OR NOT exports STREQUAL "_c4d_main;_vt_module_declaration")
  string(REGEX REPLACE "[ \n]+" " " found "${header}; macOS ${minos}; loads ${loads}; exports ${exports}")
  string(SUBSTRING "${found}" 0 400 found)
  message(FATAL_ERROR " ${LIBRARY}: expected an x86-64 Mach-O bundle or dylib for macOS ${MINOS} that loads only"
    " /usr/lib/libSystem.B.dylib and exports only _c4d_main and _vt_module_declaration; found ${found}")
endif()

get_filename_component(folder "${LIBRARY}" DIRECTORY)
foreach(file Vitrel.pdf res/dialogs.res res/strings_en/dialogs.str
             res/banner.tif res/usage.tif res/version.tif res/mirror.tif)
  if(NOT EXISTS "${folder}/${file}")
    message(FATAL_ERROR " ${folder}: ${file} is missing")
  endif()
endforeach()
