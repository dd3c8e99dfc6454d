# Checks of the plug-in built against the SDK, read with binutils:
# cmake -DCHECK=exports|self_contained|module_id -DLIBRARY=FILE [-DNM= -DREADELF= -DEXPORTS=a;b -DMODULE_ID=]
# cmake -DCHECK=folder -DFOLDER=c4d/vitrel -DREFERENCE=plugins/vitrel -DLIBRARY_NAME=NAME
#   -P check_sdk_library.cmake

# Names of the dynamic symbols `nm -D` lists with the options given, weak
# references (which may stay unresolved) left out.
function(dynamic_symbols out)
  execute_process(COMMAND ${NM} -D ${ARGN} ${LIBRARY} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[^\n]+" lines "${text}")
  set(names)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-f ]* ([A-UX-Za-uxyz]) (.+)$")
      list(APPEND names ${CMAKE_MATCH_2})
    endif()
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "exports")
  # Exactly the SDK's entry symbols: the frameworks' and the C++ run-time
  # library's own symbols must not reach the application's namespace.
  dynamic_symbols(exported --defined-only)
  list(SORT exported)
  list(SORT EXPORTS)
  if(NOT exported STREQUAL EXPORTS)
    message(FATAL_ERROR "${LIBRARY} exports [${exported}], expected exactly [${EXPORTS}]")
  endif()
elseif(CHECK STREQUAL "self_contained")
  # It asks the system for the C library only; everything else is inside,
  # so the application's own C++ libraries do not matter.
  execute_process(COMMAND ${READELF} -d ${LIBRARY} OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
  list(TRANSFORM needed REPLACE "^Shared library: \\[(.+)\\]$" "\\1")
  list(FILTER needed EXCLUDE REGEX "^(libc|libm|libdl|libpthread|librt|ld-linux-x86-64)\\.so\\.[0-9]+$")
  if(needed)
    message(FATAL_ERROR "${LIBRARY} needs [${needed}]: only the C library's parts may load with it")
  endif()
  dynamic_symbols(undefined --undefined-only)
  list(FILTER undefined EXCLUDE REGEX "@GLIBC_[0-9.]+$")
  if(undefined)
    message(FATAL_ERROR "${LIBRARY} leaves [${undefined}] to be found elsewhere")
  endif()
elseif(CHECK STREQUAL "module_id")
  # The registration the processor wrote carries the id the application
  # files the plug-in's module under.
  file(STRINGS ${LIBRARY} found REGEX "${MODULE_ID}" LIMIT_COUNT 1)
  if(NOT found)
    message(FATAL_ERROR "${LIBRARY} does not hold the module id ${MODULE_ID}")
  endif()
elseif(CHECK STREQUAL "folder")
  # The library, the manual if the main build made it, and res/ as the
  # main build lays it out, byte for byte; nothing else.
  file(GLOB_RECURSE ours RELATIVE ${FOLDER} ${FOLDER}/*)
  file(GLOB_RECURSE theirs RELATIVE ${REFERENCE} ${REFERENCE}/res/* ${REFERENCE}/Vitrel.pdf)
  list(APPEND theirs ${LIBRARY_NAME})
  list(SORT ours)
  list(SORT theirs)
  if(NOT ours STREQUAL theirs)
    message(FATAL_ERROR "${FOLDER} holds [${ours}], expected [${theirs}]")
  endif()
  list(REMOVE_ITEM ours ${LIBRARY_NAME})
  foreach(file IN LISTS ours)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FOLDER}/${file} ${REFERENCE}/${file} RESULT_VARIABLE differs)
    if(differs)
      message(FATAL_ERROR "${FOLDER}/${file} differs from the main build's")
    endif()
  endforeach()
else()
  message(FATAL_ERROR "unknown CHECK '${CHECK}'")
endif()
