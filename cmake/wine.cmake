# Runs the Windows programs of a cross build under wine64: tests, test
# discovery and the programs that tests start. The wine prefix lives inside
# the build folder, so nothing is kept outside it.
find_program(WINE64_EXECUTABLE wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(VITREL_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${WINE64_EXECUTABLE} ${VITREL_WINEPREFIX})

# The first start of wine creates the prefix, which takes seconds; doing it
# once before anything runs keeps parallel first starts from racing.
add_custom_command(
  OUTPUT ${VITREL_WINEPREFIX}/system.reg
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot.exe --init
  COMMENT "Creating the wine prefix"
  VERBATIM)
add_custom_target(wine_prefix DEPENDS ${VITREL_WINEPREFIX}/system.reg)
