# Compiler and linker flags, chosen per compiler: GCC and Clang (Linux,
# mingw-w64, Zig, Apple clang) take the GNU spelling, Visual C++ its own.
# No other build file names a flag that only one compiler family knows.

# Visual C++: the plug-in carries its C++ run-time library inside, and code
# built for one run-time library cannot be linked with code built for
# another, so every target, and every library vcpkg builds for the project
# (the static triplet x64-windows-static, which the windows-msvc preset
# picks), uses the static one.
if(MSVC AND NOT DEFINED CMAKE_MSVC_RUNTIME_LIBRARY)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# Warnings are errors in our own code (not in third-party headers).
function(vitrel_warnings target)
  if(MSVC)
    # C4245 (signed constant to unsigned) is what -Wno-sign-conversion
    # leaves out for the other compilers. The code uses the standard C
    # library's functions (fopen, strerror), not Microsoft's _s variants.
    target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8 /wd4245)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
  endif()
endfunction()

# The plug-in's code carries neither exceptions nor run-time type information.
function(vitrel_no_exceptions_no_rtti target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /EHs-c- /GR-)
    target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
  else()
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
  endif()
endfunction()

# Tests that link the plug-in's code share its lack of type information.
function(vitrel_no_rtti target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /GR-)
  else()
    target_compile_options(${target} PRIVATE -fno-rtti)
  endif()
endfunction()

# The host does not ship our C++ runtime: the plug-in library carries it
# inside and leaves no symbol unresolved. Sanitizer builds link their own
# run-time libraries, so they keep the default.
function(vitrel_self_contained_library target)
  if(MSVC)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  elseif(APPLE)
    target_link_options(${target} PRIVATE -Wl,-undefined,error)
  elseif(MINGW)
    # -static also takes in the threads library that mingw-w64's posix
    # variant would otherwise load as libwinpthread-1.dll.
    target_link_options(${target} PRIVATE -static -static-libstdc++ -static-libgcc -Wl,--no-undefined)
  elseif(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--no-undefined)
  endif()
endfunction()
