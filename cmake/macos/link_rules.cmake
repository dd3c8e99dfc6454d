# How the macOS cross build links a loadable module (the plug-in). Read by
# CMake for each language after its own Darwin rules, so what is set here
# replaces theirs.
#
# Zig links with a linker of its own that cannot limit a library's exports
# (it rejects -exported_symbols_list), so ld64.lld links instead, with what
# Zig would have given its linker: Zig's libc++ and libc++abi built for the
# target, and the text stub of the system library from Zig's macOS libc.
# The result is a Mach-O bundle, as CMake makes a module on macOS (with
# Apple's tools too), loadable with dlopen and free of an install name; its
# only dependency is /usr/lib/libSystem.B.dylib.

# CMake's Apple rules ask the linker to be verbose too (-Wl,-v) when they
# inspect the compiler, and Zig's driver refuses that.
set(CMAKE_C_VERBOSE_FLAG "-v")
set(CMAKE_CXX_VERBOSE_FLAG "-v")

# The link rule is made once, not again for the next language nor in
# CMake's compiler checks, which link nothing (see the toolchain file).
get_property(_vitrel_in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(_vitrel_in_try_compile OR DEFINED VITREL_MACOS_LIBCXX)
  return()
endif()

# Zig builds its libc++ when a link asks for it, into its cache folder, and
# names the archives on the linker line that --verbose-link prints. A probe
# library linked once at configure time yields that line; the first time it
# costs the libc++ build, afterwards Zig finds everything in its cache.
set(_vitrel_probe_dir "${CMAKE_BINARY_DIR}/zig-runtime")
file(MAKE_DIRECTORY "${_vitrel_probe_dir}")
file(WRITE "${_vitrel_probe_dir}/probe.cpp"
  "#include <string>\nint vitrel_probe(int n) { return static_cast<int>(std::to_string(n).size()); }\n")
message(STATUS "Zig: libc++ for ${CMAKE_CXX_COMPILER_TARGET} (built on first use, a minute or more)")
execute_process(
  COMMAND "${VITREL_ZIG}" build-lib -dynamic -O ReleaseFast -target ${CMAKE_CXX_COMPILER_TARGET} -lc++
          probe.cpp --name probe --verbose-link
  WORKING_DIRECTORY "${_vitrel_probe_dir}"
  RESULT_VARIABLE _vitrel_status
  OUTPUT_VARIABLE _vitrel_output
  ERROR_VARIABLE _vitrel_output)
string(REGEX MATCH "zig ld [^\n]*" _vitrel_link_line "${_vitrel_output}")
string(REGEX MATCH "[^ ]*/libc\\+\\+\\.a" VITREL_MACOS_LIBCXX "${_vitrel_link_line}")
string(REGEX MATCH "[^ ]*/libc\\+\\+abi\\.a" VITREL_MACOS_LIBCXXABI "${_vitrel_link_line}")
if(NOT _vitrel_status EQUAL 0 OR NOT EXISTS "${VITREL_MACOS_LIBCXX}" OR NOT EXISTS "${VITREL_MACOS_LIBCXXABI}")
  message(FATAL_ERROR "Zig did not build libc++ for ${CMAKE_CXX_COMPILER_TARGET}:\n${_vitrel_output}")
endif()

# The system library's stub for the oldest supported release.
get_filename_component(_vitrel_zig_dir "${VITREL_ZIG}" DIRECTORY)
string(REGEX MATCH "^[0-9]+" _vitrel_macos_major "${CMAKE_OSX_DEPLOYMENT_TARGET}")
set(VITREL_MACOS_LIBSYSTEM "${_vitrel_zig_dir}/lib/libc/darwin/libSystem.${_vitrel_macos_major}.tbd")
if(NOT EXISTS "${VITREL_MACOS_LIBSYSTEM}")
  message(FATAL_ERROR "Zig has no libSystem stub for macOS ${CMAKE_OSX_DEPLOYMENT_TARGET} (${VITREL_MACOS_LIBSYSTEM})")
endif()

# The version is both the oldest release and the SDK's. -dead_strip drops
# what nothing exported reaches; -undefined error (the default) keeps
# every symbol resolved at link time, never by the host's process.
set(CMAKE_CXX_CREATE_SHARED_MODULE
  "/bin/sh \"${CMAKE_CURRENT_LIST_DIR}/ld64.sh\" \"${VITREL_LLVM_BIN}/ld64.lld\" -bundle -arch x86_64 -platform_version macos ${CMAKE_OSX_DEPLOYMENT_TARGET} ${CMAKE_OSX_DEPLOYMENT_TARGET} -dead_strip <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES> \"${VITREL_MACOS_LIBCXX}\" \"${VITREL_MACOS_LIBCXXABI}\" \"${VITREL_MACOS_LIBSYSTEM}\"")
