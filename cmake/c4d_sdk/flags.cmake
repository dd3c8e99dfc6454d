# The SDK's compiler settings, per compiler, for its frameworks and for the
# plug-in's files compiled against it. Where the SDK keeps them in files
# (the GCC and Clang response files, the Visual C++ property sheets, the
# Xcode settings), they are read from the user's SDK; what its project
# generator writes into every project (the platform defines, the warning
# set, the instruction set) is spelled here.
#
# vitrel_c4d_sdk_flags(TARGET FRAMEWORK|PLUGIN): a framework gets all of
# them and its own language level; the plug-in keeps C++20 and our warnings
# and takes what must agree across the library: the defines the SDK's
# headers test, the standard library's ABI, the instruction set its inline
# code is written for and the layout of pointers to members.

if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(vitrel_c4d_config debug)
else()
  set(vitrel_c4d_config release)
endif()
string(TOUPPER ${vitrel_c4d_config} vitrel_c4d_config_upper)

# GCC and Clang on Linux: the SDK's response file for the configuration,
# with the files it names (relative to the SDK folder) read in turn.
function(vitrel_c4d_read_response_file file out)
  file(READ ${file} text)
  string(STRIP "${text}" text)
  separate_arguments(words UNIX_COMMAND "${text}")
  set(flags)
  foreach(word IN LISTS words)
    if(word MATCHES "^@(.+)$")
      vitrel_c4d_read_response_file(${VITREL_C4D_SDK}/${CMAKE_MATCH_1} nested)
      list(APPEND flags ${nested})
    else()
      list(APPEND flags ${word})
    endif()
  endforeach()
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

# Visual C++: the text of one element in the SDK's property sheets, as a
# list, without MSBuild's %(Inherited) placeholders.
function(vitrel_c4d_read_props element out)
  set(values)
  foreach(sheet ${ARGN})
    file(READ ${vitrel_c4d_settings}/${sheet} text)
    string(REGEX MATCHALL "<${element}>[^<]*</${element}>" found "${text}")
    foreach(item IN LISTS found)
      string(REGEX REPLACE "<[^>]*>" "" item "${item}")
      string(REGEX REPLACE "%\\([A-Za-z]+\\)" "" item "${item}")
      list(APPEND values ${item})
    endforeach()
  endforeach()
  list(REMOVE_ITEM values "")
  set(${out} ${values} PARENT_SCOPE)
endfunction()

# Xcode: the value of one setting in the SDK's xcconfig files.
function(vitrel_c4d_read_xcconfig key out)
  set(value)
  foreach(xcconfig ${ARGN})
    file(STRINGS ${vitrel_c4d_settings}/${xcconfig} lines REGEX "^${key}[ \t]*=")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "^${key}[ \t]*=(.*)$" line "${line}")
      string(REGEX REPLACE "//.*" "" line "${CMAKE_MATCH_1}")
      string(REGEX REPLACE "\\$\\([A-Z_]+\\)" "" line "${line}")
      separate_arguments(value UNIX_COMMAND "${line}")
    endforeach()
  endforeach()
  set(${out} ${value} PARENT_SCOPE)
endfunction()

if(MSVC)
  if(vitrel_c4d_config STREQUAL "debug")
    set(vitrel_c4d_sheet DebugWin64.props)
  else()
    set(vitrel_c4d_sheet ReleaseWin64.props)
  endif()
  vitrel_c4d_read_props(PreprocessorDefinitions vitrel_c4d_defines Base.props Base64bit.props ${vitrel_c4d_sheet})
  vitrel_c4d_read_props(DisableSpecificWarnings vitrel_c4d_quiet MSVCBase.props)
  list(TRANSFORM vitrel_c4d_quiet PREPEND "/wd")
  # /vmg /vms fix how pointers to members are laid out, so the plug-in's
  # files must agree with the frameworks'; so must the run-time library,
  # which the SDK takes as a DLL (the plug-in's own build links it in).
  set(vitrel_c4d_shared_options /vmg /vms /Zc:wchar_t)
  # The instruction set for the SDK's inline code: R21.0's sheets ask for
  # AVX, later ones for nothing beyond the x64 default.
  vitrel_c4d_read_props(EnableEnhancedInstructionSet vitrel_c4d_instructions Base.props)
  if(vitrel_c4d_instructions STREQUAL "AdvancedVectorExtensions")
    list(APPEND vitrel_c4d_shared_options /arch:AVX)
  elseif(vitrel_c4d_instructions STREQUAL "AdvancedVectorExtensions2")
    list(APPEND vitrel_c4d_shared_options /arch:AVX2)
  endif()
  set(vitrel_c4d_framework_options /Wall ${vitrel_c4d_quiet} /GF /GS- /bigobj /Oi)
  set(vitrel_c4d_framework_standard 17)
  set(vitrel_c4d_framework_extensions OFF)
  set(vitrel_c4d_runtime "MultiThreaded$<$<CONFIG:Debug>:Debug>DLL")
elseif(APPLE)
  vitrel_c4d_read_xcconfig("GCC_PREPROCESSOR_DEFINITIONS\\[arch=x86_64\\]" vitrel_c4d_defines ${vitrel_c4d_config}base.xcconfig)
  vitrel_c4d_read_xcconfig(OTHER_CPLUSPLUSFLAGS_BASE vitrel_c4d_framework_options compiler.xcconfig)
  vitrel_c4d_read_xcconfig(CLANG_CXX_LANGUAGE_STANDARD vitrel_c4d_standard compiler.xcconfig)
  string(REGEX REPLACE "[^0-9]" "" vitrel_c4d_framework_standard "${vitrel_c4d_standard}")
  set(vitrel_c4d_framework_extensions OFF)
  # Inline functions private, no common blocks, SSE3 (the settings of
  # compiler.xcconfig that Xcode turns into flags); libc++ is the only C++
  # library on macOS.
  set(vitrel_c4d_shared_options -msse3 -fvisibility=hidden -fvisibility-inlines-hidden)
  list(APPEND vitrel_c4d_framework_options -fno-common -fno-exceptions -fno-rtti -Wall)
else()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(vitrel_c4d_compiler clang)
  else()
    set(vitrel_c4d_compiler gcc)
  endif()
  vitrel_c4d_read_response_file(${vitrel_c4d_settings}/linux_${vitrel_c4d_compiler}_x86_${vitrel_c4d_config}.props vitrel_c4d_response)
  set(vitrel_c4d_defines MAXON_TARGET_${vitrel_c4d_config_upper} MAXON_TARGET_64BIT MAXON_TARGET_LINUX)
  set(vitrel_c4d_shared_options -mssse3 -fvisibility=hidden)
  set(vitrel_c4d_framework_options -fmessage-length=0 -Wall -Wno-multichar -Wno-switch -Wno-strict-aliasing
    -Werror=conversion-null -Werror=char-subscripts -Werror=reorder -Werror=sequence-point -Wno-invalid-offsetof)
  if(vitrel_c4d_compiler STREQUAL "clang")
    list(APPEND vitrel_c4d_shared_options -stdlib=libc++)
  endif()
  foreach(flag IN LISTS vitrel_c4d_response)
    if(flag MATCHES "^-D(.+)$")
      list(APPEND vitrel_c4d_defines ${CMAKE_MATCH_1})
    elseif(flag MATCHES "^-std=(gnu|c)\\+\\+([0-9]+)$")
      set(vitrel_c4d_framework_standard ${CMAKE_MATCH_2})
      if(CMAKE_MATCH_1 STREQUAL "gnu")
        set(vitrel_c4d_framework_extensions ON)
      else()
        set(vitrel_c4d_framework_extensions OFF)
      endif()
    else()
      list(APPEND vitrel_c4d_framework_options ${flag})
    endif()
  endforeach()
endif()
list(REMOVE_DUPLICATES vitrel_c4d_defines)

function(vitrel_c4d_sdk_flags target kind)
  target_compile_definitions(${target} PRIVATE ${vitrel_c4d_defines})
  target_compile_options(${target} PRIVATE ${vitrel_c4d_shared_options})
  if(vitrel_c4d_runtime)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "${vitrel_c4d_runtime}")
  endif()
  if(kind STREQUAL "FRAMEWORK")
    target_compile_definitions(${target} PRIVATE MAXON_API)
    target_compile_options(${target} PRIVATE ${vitrel_c4d_framework_options})
    set_target_properties(${target} PROPERTIES
      CXX_STANDARD ${vitrel_c4d_framework_standard}
      CXX_VISIBILITY_PRESET hidden)
  endif()
  if(kind STREQUAL "FRAMEWORK")
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS ${vitrel_c4d_framework_extensions})
  elseif(NOT MSVC)
    # The SDK's macros (MAXON_ENUM_LIST and the like) let an empty
    # __VA_ARGS__ swallow the comma before it, which GCC does in C++20 only
    # in its GNU dialect.
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS ON)
  endif()
  if(kind STREQUAL "PLUGIN")
    # A plug-in of the application is built as its legacy components are
    # (see frameworks.cmake): with the classic API's allocation macros.
    target_compile_definitions(${target} PRIVATE USE_API_MAXON)
    # The SDK's headers use std::result_of, which C++20 took out; both
    # libc++ and Microsoft's library keep it on request (libstdc++ keeps
    # it anyway).
    target_compile_definitions(${target} PRIVATE _LIBCPP_ENABLE_CXX20_REMOVED_TYPE_TRAITS _HAS_DEPRECATED_RESULT_OF=1)
  endif()
  if(vitrel_c4d_shared_options MATCHES "-stdlib=libc\\+\\+")
    target_link_options(${target} PRIVATE -stdlib=libc++)
  endif()
endfunction()
