# Checks of the macOS cross build (cmake/toolchains/zig-macos-x86_64.cmake).
# Nothing built for macOS runs here, so the plug-in is read with LLVM's
# tools instead of being loaded; other builds register nothing here.
if(NOT (APPLE AND CMAKE_CROSSCOMPILING))
  return()
endif()

add_test(NAME library.macos_plugin
  COMMAND ${CMAKE_COMMAND} -DLIBRARY=$<TARGET_FILE:vitrel> -DMINOS=${CMAKE_OSX_DEPLOYMENT_TARGET}
          -DOBJDUMP=${VITREL_LLVM_BIN}/llvm-objdump
          -P ${CMAKE_CURRENT_LIST_DIR}/check_macos_library.cmake)
