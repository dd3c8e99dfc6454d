# Checks the Windows plug-in library as the host would meet it: a PE32+
# x86-64 DLL that exports only the entry point and the module declaration
# and imports only DLLs that every Windows system has (the C++ runtime is
# linked in). Run as: cmake -DLIBRARY=... -DOBJDUMP=llvm-objdump -P <this>
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} RESULT_VARIABLE status OUTPUT_VARIABLE dump ERROR_VARIABLE error)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${LIBRARY}: llvm-objdump cannot read it: ${error}")
endif()

if(NOT dump MATCHES "file format coff-x86-64" OR NOT dump MATCHES "Magic[ \t]+020b")
  message(FATAL_ERROR "${LIBRARY}: not a PE32+ x86-64 file")
endif()
if(NOT dump MATCHES "Characteristics 0x[0-9a-f]+\n([ \t]+[^\n]+\n)*[ \t]+DLL\n")
  message(FATAL_ERROR "${LIBRARY}: not a DLL")
endif()

# Exports: the lines of the export table after its "Ordinal RVA Name" head.
string(REGEX MATCH "Export Table:.*Ordinal[ \t]+RVA[ \t]+Name\n(([ \t]+[0-9]+[ \t]+0x[0-9a-f]+[ \t]+[^\n]+\n)+)" table "${dump}")
string(REGEX MATCHALL "0x[0-9a-f]+[ \t]+[A-Za-z_][A-Za-z0-9_]*" rows "${CMAKE_MATCH_1}")
set(exports)
foreach(row IN LISTS rows)
  string(REGEX REPLACE "0x[0-9a-f]+[ \t]+" "" name "${row}")
  list(APPEND exports ${name})
endforeach()
list(SORT exports)
if(NOT exports STREQUAL "c4d_main;vt_module_declaration")
  message(FATAL_ERROR "${LIBRARY}: exports [${exports}], expected exactly c4d_main and vt_module_declaration")
endif()

# Imports: only the system's own DLLs.
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(system_dlls kernel32.dll msvcrt.dll user32.dll advapi32.dll ucrtbase.dll)
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${LIBRARY}: imports ${dll}, which a user's system does not have; link it statically")
  endif()
endforeach()
if(NOT imports)
  message(FATAL_ERROR "${LIBRARY}: no import table found")
endif()
