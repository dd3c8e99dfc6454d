# The plug-in built against the host application's own SDK
# (-DVITREL_C4D_SDK=DIR, DIR being the user's unpacked SDK, the folder that
# holds frameworks/). This is the only build the application itself can
# load: it is handed the SDK's tables at c4d_main, not ours.
#
# The user's SDK is read-only input. The source processor's output, the
# frameworks' objects and the plug-in folder all go into the build folder:
#
#   c4d_sdk/frameworks/NAME/  a stand-in for each framework the processor
#                             works on: links to the SDK's project/ and
#                             source/, and its own generated/
#   c4d_sdk/plugins/vitrel/   the plug-in as an SDK project: its module
#                             definition, links to the files it compiles
#                             and its generated registration
#   c4d/vitrel/               the plug-in folder the application loads
#
# The frameworks' folders sit beside plugins/ because that is how the
# processor finds a project's frameworks: it walks up from the project to
# the first frameworks/ folder.

set(VITREL_C4D_SDK_MODULE_ID "net.vitrel.tools.vitrel")
# The frameworks the plug-in's code includes; each one's own dependencies
# are read from its definition, so this names only the top.
set(VITREL_C4D_SDK_FRAMEWORKS cinema)

get_filename_component(VITREL_C4D_SDK "${VITREL_C4D_SDK}" ABSOLUTE BASE_DIR "${CMAKE_BINARY_DIR}")
set(vitrel_c4d_settings ${VITREL_C4D_SDK}/frameworks/settings)
set(vitrel_c4d_processor ${vitrel_c4d_settings}/sourceprocessor/sourceprocessor.py)
set(vitrel_c4d_stage ${CMAKE_BINARY_DIR}/c4d_sdk)

foreach(required frameworks/cinema.framework/project/projectdefinition.txt frameworks/core.framework/source/maxon/apibase.h frameworks/settings/sourceprocessor/sourceprocessor.py)
  if(NOT EXISTS ${VITREL_C4D_SDK}/${required})
    message(FATAL_ERROR "VITREL_C4D_SDK=${VITREL_C4D_SDK} is not an unpacked SDK: ${required} is missing. "
      "Name the folder that holds frameworks/.")
  endif()
endforeach()

# The SDK's Windows code is written for Visual C++ only, and its settings
# exist for it alone.
if(WIN32 AND NOT MSVC)
  message(FATAL_ERROR "VITREL_C4D_SDK: on Windows the SDK builds with Visual C++ only (the windows-msvc preset), not ${CMAKE_CXX_COMPILER_ID}")
endif()

# On macOS core.framework includes CoreFoundation's headers, which come with
# Apple's SDK: Zig's cross build (the macos preset) has the C library's
# headers only, and would fail deep into the frameworks.
if(APPLE)
  include(CheckIncludeFileCXX)
  check_include_file_cxx(CoreFoundation/CFError.h VITREL_C4D_HAVE_COREFOUNDATION)
  if(NOT VITREL_C4D_HAVE_COREFOUNDATION)
    message(FATAL_ERROR "VITREL_C4D_SDK: the SDK's core.framework needs <CoreFoundation/CFError.h> from Apple's SDK, "
      "which this compiler does not have (the Zig cross build has macOS's C library headers only): "
      "build against the SDK on a Mac (the macos-native preset)")
  endif()
endif()

# The processor runs under this machine's Python 3 (the SDK's own Windows
# interpreter is not used, so the build is the same everywhere).
find_package(Python3 3.6 COMPONENTS Interpreter REQUIRED)

# The SDK's release, for the log and the docs' claims: API_VERSION in
# cinema.framework's operatingsystem.h (21000 for R21).
file(STRINGS ${VITREL_C4D_SDK}/frameworks/cinema.framework/source/operatingsystem.h vitrel_c4d_api_line
  REGEX "^[ \t]*#define[ \t]+API_VERSION[ \t]+[0-9]+")
string(REGEX REPLACE ".*API_VERSION[ \t]+([0-9]+).*" "\\1" VITREL_C4D_SDK_API_VERSION "${vitrel_c4d_api_line}")
message(STATUS "Host application SDK: ${VITREL_C4D_SDK} (API_VERSION ${VITREL_C4D_SDK_API_VERSION})")

# A project definition (frameworks/NAME/project/projectdefinition.txt) as
# KEY=VALUE lines; a trailing backslash continues a value and // starts a
# comment. Keys are matched without regard to case, as the SDK does.
# vitrel_c4d_read_definition(FILE PREFIX): sets PREFIX_<lower-case key>.
function(vitrel_c4d_read_definition file prefix)
  file(READ ${file} text)
  string(REGEX REPLACE "//[^\n]*" "" text "${text}")
  string(REGEX REPLACE "\\\\[ \t]*\r?\n[ \t]*" "" text "${text}")
  string(REPLACE ";" "\\;" text "${text}")
  string(REGEX REPLACE "\r?\n" ";" lines "${text}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*([^= \t]+)[ \t]*=[ \t]*(.*[^ \t])?[ \t]*$")
      string(TOLOWER "${CMAKE_MATCH_1}" key)
      set(${prefix}_${key} "${CMAKE_MATCH_2}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# Links FROM as TO, or copies it where links cannot be made (Windows
# without the right to make them). Either way nothing is written into FROM.
function(vitrel_c4d_stage_link from to)
  if(IS_SYMLINK ${to} OR EXISTS ${to})
    file(REMOVE_RECURSE ${to})
  endif()
  get_filename_component(parent ${to} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${from} ${to} SYMBOLIC RESULT failed)
  if(failed)
    if(IS_DIRECTORY ${from})
      file(COPY ${from}/ DESTINATION ${to})
    else()
      file(COPY_FILE ${from} ${to})
    endif()
  endif()
endfunction()

# The command that runs the processor on a staged project.
set(vitrel_c4d_run_processor
  ${CMAKE_COMMAND} -E env PYTHONDONTWRITEBYTECODE=1
  ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/run_sourceprocessor.py ${vitrel_c4d_processor})

include(${CMAKE_CURRENT_LIST_DIR}/flags.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/frameworks.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/plugin.cmake)
