# The plug-in as the application loads it: the plug-in's own files compiled
# against the SDK, its module registration from the source processor, the
# frameworks linked in whole (their registrations run from static
# constructors that nothing else refers to, and cinema.framework holds
# c4d_main), and only the SDK's entry symbols exported.
#
# vitrel_c4d_plugin(SOURCES files... INCLUDE_DIRS folders... PROCESSED files...
#                   [FOLDER_DEPENDS targets...])
# makes the target vitrel_c4d (the library in c4d/vitrel/) and
# vitrel_c4d_folder (res/ and Vitrel.pdf beside it, taken from the
# plug-in folder FOLDER_DEPENDS build). PROCESSED are the files the source
# processor reads: those written for the SDK alone. The files shared with
# our own host cannot use the SDK declarations it writes code for, and
# R21's processor cannot parse C++17 (if constexpr), so they are left out.

set(VITREL_C4D_PLUGIN_DIR ${CMAKE_BINARY_DIR}/c4d/vitrel)
if(WIN32)
  set(VITREL_C4D_LIBRARY_SUFFIX .xdl64)
elseif(APPLE)
  set(VITREL_C4D_LIBRARY_SUFFIX .xlib)
else()
  set(VITREL_C4D_LIBRARY_SUFFIX .xso64)
endif()

function(vitrel_c4d_plugin)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "SOURCES;INCLUDE_DIRS;PROCESSED;FOLDER_DEPENDS")
  foreach(framework IN LISTS VITREL_C4D_SDK_FRAMEWORKS)
    vitrel_c4d_framework(${framework})
  endforeach()
  get_property(frameworks GLOBAL PROPERTY VITREL_C4D_FRAMEWORK_LIBRARIES)

  # The plug-in as an SDK project, for the processor: its definition and
  # the files it reads.
  set(project ${vitrel_c4d_stage}/plugins/vitrel)
  set(apis)
  foreach(framework IN LISTS frameworks)
    string(REGEX REPLACE "^vitrel_c4d_" "" framework ${framework})
    list(APPEND apis ${framework}.framework)
  endforeach()
  list(JOIN apis ";" apis)
  file(CONFIGURE OUTPUT ${project}/project/projectdefinition.txt CONTENT
"// Written by Vitrel's build (cmake/c4d_sdk/plugin.cmake) for the SDK's source processor.
Platform=Win64;OSX;Linux
Type=DLL
APIS=${apis}
C4D=true
stylecheck.level=0
ModuleId=${VITREL_C4D_SDK_MODULE_ID}
")
  set(project_files ${arg_PROCESSED})
  file(REMOVE_RECURSE ${project}/source)
  foreach(file IN LISTS project_files)
    get_filename_component(leaf ${file} NAME)
    vitrel_c4d_stage_link(${file} ${project}/source/${leaf})
  endforeach()

  set(generated ${project}/generated)
  set(framework_stamps)
  set(processed)
  foreach(framework IN LISTS frameworks)
    string(REGEX REPLACE "^vitrel_c4d_" "" name ${framework})
    list(APPEND framework_stamps ${vitrel_c4d_stage}/frameworks/${name}.framework/generated/vitrel.stamp)
    list(APPEND processed ${framework}_processed)
  endforeach()
  add_custom_command(
    OUTPUT ${generated}/vitrel.stamp
    BYPRODUCTS ${generated}/hxx/register.cpp
    COMMAND ${vitrel_c4d_run_processor} ${generated}/sourceprocessor.log ${project}
    COMMAND ${CMAKE_COMMAND} -E touch ${generated}/vitrel.stamp
    DEPENDS ${project}/project/projectdefinition.txt ${project_files} ${framework_stamps}
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_sourceprocessor.py
    WORKING_DIRECTORY ${vitrel_c4d_stage}
    COMMENT "SDK source processor: the plug-in"
    VERBATIM)
  add_custom_target(vitrel_c4d_processed DEPENDS ${generated}/vitrel.stamp)
  add_dependencies(vitrel_c4d_processed ${processed})

  set(headers)
  foreach(framework IN LISTS frameworks)
    list(APPEND headers ${framework}_headers)
  endforeach()

  # The generated registration is the SDK's code: its flags, not our
  # warnings.
  add_library(vitrel_c4d_registration OBJECT ${generated}/hxx/register.cpp)
  target_include_directories(vitrel_c4d_registration SYSTEM PRIVATE ${generated}/hxx)
  target_link_libraries(vitrel_c4d_registration PRIVATE ${headers})
  target_compile_definitions(vitrel_c4d_registration PRIVATE "MAXON_MODULE_ID=\"${VITREL_C4D_SDK_MODULE_ID}\"")
  vitrel_c4d_sdk_flags(vitrel_c4d_registration PLUGIN)
  vitrel_no_exceptions_no_rtti(vitrel_c4d_registration)
  add_dependencies(vitrel_c4d_registration vitrel_c4d_processed)

  add_library(vitrel_c4d MODULE ${arg_SOURCES} $<TARGET_OBJECTS:vitrel_c4d_registration>)
  target_include_directories(vitrel_c4d PRIVATE ${arg_INCLUDE_DIRS})
  target_include_directories(vitrel_c4d SYSTEM PRIVATE ${generated}/hxx)
  target_link_libraries(vitrel_c4d PRIVATE ${headers} "$<LINK_LIBRARY:WHOLE_ARCHIVE,${frameworks}>")
  target_compile_definitions(vitrel_c4d PRIVATE "MAXON_MODULE_ID=\"${VITREL_C4D_SDK_MODULE_ID}\"")
  vitrel_c4d_sdk_flags(vitrel_c4d PLUGIN)
  vitrel_no_exceptions_no_rtti(vitrel_c4d)
  vitrel_warnings(vitrel_c4d)
  add_dependencies(vitrel_c4d vitrel_c4d_processed)
  set_target_properties(vitrel_c4d PROPERTIES
    OUTPUT_NAME vitrel
    PREFIX ""
    SUFFIX ${VITREL_C4D_LIBRARY_SUFFIX}
    LIBRARY_OUTPUT_DIRECTORY ${VITREL_C4D_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  # The SDK marks its entry symbols for export in the code itself
  # (MAXON_ATTRIBUTE_DLL_PUBLIC), which is all Visual C++ needs. The other
  # linkers are also told to keep every other symbol local, so that the
  # C++ run-time library linked in stays private to the plug-in.
  if(APPLE)
    set(exports ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/vitrel.exports)
    target_link_options(vitrel_c4d PRIVATE -Wl,-exported_symbols_list,${exports})
    set_property(TARGET vitrel_c4d APPEND PROPERTY LINK_DEPENDS ${exports})
  elseif(NOT MSVC)
    set(map ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/vitrel.map)
    target_link_options(vitrel_c4d PRIVATE -Wl,--version-script=${map})
    set_property(TARGET vitrel_c4d APPEND PROPERTY LINK_DEPENDS ${map})
  endif()
  # The frameworks, linked in whole, bring more than 100 MB of debug
  # information along: the folder's library keeps none of it, the build
  # keeps it beside the staging folders for a debugger.
  if(NOT APPLE AND NOT WIN32 AND CMAKE_OBJCOPY)
    set(debug_file ${vitrel_c4d_stage}/vitrel${VITREL_C4D_LIBRARY_SUFFIX}.debug)
    add_custom_command(TARGET vitrel_c4d POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:vitrel_c4d> ${debug_file}
      COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${debug_file} $<TARGET_FILE:vitrel_c4d>
      VERBATIM)
  endif()
  # The SDK takes Visual C++'s run-time library as a DLL (see flags.cmake);
  # elsewhere the plug-in carries its C++ run-time library, as our own
  # build does.
  if(NOT MSVC)
    vitrel_self_contained_library(vitrel_c4d)
  endif()

  # res/ and the manual, from the plug-in folder of the main build.
  add_custom_target(vitrel_c4d_folder ALL
    COMMAND ${CMAKE_COMMAND} -DFROM=${CMAKE_BINARY_DIR}/plugins/vitrel -DTO=${VITREL_C4D_PLUGIN_DIR}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/copy_folder.cmake
    COMMENT "Laying out c4d/vitrel/"
    VERBATIM)
  if(arg_FOLDER_DEPENDS)
    add_dependencies(vitrel_c4d_folder ${arg_FOLDER_DEPENDS})
  endif()
  add_dependencies(vitrel_c4d_folder vitrel_c4d)
endfunction()
