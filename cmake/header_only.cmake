# Header-only libraries from the build machine's packages (RapidJSON and the
# like). A cross build cannot put the build machine's /usr/include on its
# path (its C headers would hide the target's), so it links just the
# library's own folder into the build tree and includes that.
# vitrel_header_only_library(NAME FOLDER HEADER): the library NAME whose
# headers lie in FOLDER, found by one of them, HEADER.
function(vitrel_header_only_library name header_folder header)
  find_path(${name}_INCLUDE_DIR ${header_folder}/${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  add_library(${name} INTERFACE)
  if(CMAKE_CROSSCOMPILING)
    set(shim ${CMAKE_BINARY_DIR}/header_only/${name})
    file(MAKE_DIRECTORY ${shim})
    file(CREATE_LINK ${${name}_INCLUDE_DIR}/${header_folder} ${shim}/${header_folder} SYMBOLIC)
    target_include_directories(${name} SYSTEM INTERFACE ${shim})
  elseif(NOT ${name}_INCLUDE_DIR STREQUAL "/usr/include")
    target_include_directories(${name} SYSTEM INTERFACE ${${name}_INCLUDE_DIR})
  endif()
endfunction()
