# The SDK's frameworks as static libraries, built the way the SDK's own
# project files build them: every .cpp of the framework's source/ except
# what its definition excludes for the platform, plus the registration the
# source processor writes, compiled with the framework's module id.
#
# vitrel_c4d_framework(NAME) makes, for NAME.framework and (first) every
# framework its definition names under APIS:
#   vitrel_c4d_NAME          the static library
#   vitrel_c4d_NAME_headers  its include folders and those it builds on
#   vitrel_c4d_NAME_processed  the processor's run over it
# and appends the library to the global property VITREL_C4D_FRAMEWORK_LIBRARIES.

if(WIN32)
  set(vitrel_c4d_platform win)
elseif(APPLE)
  set(vitrel_c4d_platform osx)
else()
  set(vitrel_c4d_platform linux)
endif()

function(vitrel_c4d_framework name)
  set(target vitrel_c4d_${name})
  if(TARGET ${target})
    return()
  endif()
  set(sdk ${VITREL_C4D_SDK}/frameworks/${name}.framework)
  set(stage ${vitrel_c4d_stage}/frameworks/${name}.framework)
  if(NOT EXISTS ${sdk}/project/projectdefinition.txt)
    message(FATAL_ERROR "The SDK at ${VITREL_C4D_SDK} has no ${name}.framework")
  endif()
  # A framework's settings are read under its own name: the function calls
  # itself for the frameworks below, which see the caller's variables.
  vitrel_c4d_read_definition(${sdk}/project/projectdefinition.txt def_${name})

  # The frameworks it builds on come first: the processor reads their
  # summaries, and their headers are on its path.
  set(dependencies)
  set(dependency_stamps)
  foreach(api IN LISTS def_${name}_apis)
    string(STRIP "${api}" api)
    string(REGEX REPLACE "\\.framework$" "" api "${api}")
    if(api)
      vitrel_c4d_framework(${api})
      list(APPEND dependencies ${api})
      list(APPEND dependency_stamps ${vitrel_c4d_stage}/frameworks/${api}.framework/generated/vitrel.stamp)
    endif()
  endforeach()

  # The module id, as the processor derives it when the definition names none.
  if(def_${name}_moduleid)
    set(module_id ${def_${name}_moduleid})
  elseif(def_${name}_c4d STREQUAL "true")
    set(module_id net.maxon.c4d.${name}.framework)
  else()
    set(module_id net.maxon.${name}.framework)
  endif()

  # Only project/ and source/ are taken from the SDK; generated/ is ours.
  vitrel_c4d_stage_link(${sdk}/project ${stage}/project)
  vitrel_c4d_stage_link(${sdk}/source ${stage}/source)

  # Sources: what the platform's Exclude and ExcludeFromBuild entries name
  # (parts of a path, such as /win) is left out.
  file(GLOB_RECURSE sources RELATIVE ${sdk} ${sdk}/source/*.cpp)
  file(GLOB_RECURSE headers ${sdk}/source/*.h)
  foreach(pattern IN LISTS def_${name}_exclude.${vitrel_c4d_platform} def_${name}_excludefrombuild.${vitrel_c4d_platform})
    string(STRIP "${pattern}" pattern)
    if(pattern)
      string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" pattern "${pattern}")
      list(FILTER sources EXCLUDE REGEX "${pattern}")
    endif()
  endforeach()
  list(TRANSFORM sources PREPEND ${stage}/)

  set(generated ${stage}/generated)
  add_custom_command(
    OUTPUT ${generated}/vitrel.stamp
    BYPRODUCTS ${generated}/hxx/register.cpp
    COMMAND ${vitrel_c4d_run_processor} ${generated}/sourceprocessor.log ${stage}
    COMMAND ${CMAKE_COMMAND} -E touch ${generated}/vitrel.stamp
    DEPENDS ${sdk}/project/projectdefinition.txt ${headers} ${dependency_stamps}
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_sourceprocessor.py
    WORKING_DIRECTORY ${vitrel_c4d_stage}
    COMMENT "SDK source processor: ${name}.framework"
    VERBATIM)
  add_custom_target(${target}_processed DEPENDS ${generated}/vitrel.stamp)
  foreach(dependency IN LISTS dependencies)
    add_dependencies(${target}_processed vitrel_c4d_${dependency}_processed)
  endforeach()

  # Include folders: source/ and every folder below it but those named
  # maxon (their headers are included as maxon/NAME.h), and the generated
  # headers. They are system folders for whoever includes them: the SDK's
  # warnings are its own.
  file(GLOB_RECURSE folders LIST_DIRECTORIES true ${sdk}/source/*)
  set(include_dirs ${stage}/source)
  foreach(folder IN LISTS folders)
    get_filename_component(leaf ${folder} NAME)
    if(IS_DIRECTORY ${folder} AND NOT leaf STREQUAL "maxon")
      file(RELATIVE_PATH relative ${sdk} ${folder})
      list(APPEND include_dirs ${stage}/${relative})
    endif()
  endforeach()
  list(APPEND include_dirs ${generated}/hxx)
  add_library(${target}_headers INTERFACE)
  target_include_directories(${target}_headers SYSTEM INTERFACE ${include_dirs})
  foreach(dependency IN LISTS dependencies)
    target_link_libraries(${target}_headers INTERFACE vitrel_c4d_${dependency}_headers)
  endforeach()

  add_library(${target} STATIC ${sources} ${generated}/hxx/register.cpp)
  target_link_libraries(${target} PRIVATE ${target}_headers)
  target_compile_definitions(${target} PRIVATE "MAXON_MODULE_ID=\"${module_id}\"")
  # The application's legacy components (C4D=true: cinema.framework) are
  # built with USE_API_MAXON, the others without.
  if(def_${name}_c4d STREQUAL "true")
    target_compile_definitions(${target} PRIVATE USE_API_MAXON)
  endif()
  vitrel_c4d_sdk_flags(${target} FRAMEWORK)
  add_dependencies(${target} ${target}_processed)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name}.framework
    ARCHIVE_OUTPUT_DIRECTORY ${vitrel_c4d_stage}/lib)
  set_property(GLOBAL APPEND PROPERTY VITREL_C4D_FRAMEWORK_LIBRARIES ${target})
endfunction()
