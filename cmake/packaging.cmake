# Installing and packaging. What a user gets is the plug-in folder alone:
# `cmake --install` lays out vitrel/ (the library, res/ and the manual) under
# the prefix, and `cpack` zips that same folder, with vitrel/ at the top of
# the archive, so that unpacking it into the host's plugins folder is the
# whole installation. The stand-in host, the picture generator and the tests
# are build tools and never ship.

# Packaging does not build (with Ninja, neither does installing): an
# unbuilt tree stops here instead of yielding an empty folder.
install(CODE "
  if(NOT EXISTS \"$<TARGET_FILE:vitrel>\")
    message(FATAL_ERROR \"$<TARGET_FILE_NAME:vitrel> is not built: build the project before installing or packaging it\")
  endif()"
  COMPONENT plugin)

# The folder is filled by several targets (the library, the pictures, the
# resources, the manual), so it is installed as a folder. Linker by-products
# that some toolchains leave beside the library (import libraries, export
# files, debug databases) stay behind.
install(DIRECTORY ${CMAKE_BINARY_DIR}/plugins/vitrel
  DESTINATION .
  COMPONENT plugin
  PATTERN "*.lib" EXCLUDE
  PATTERN "*.exp" EXCLUDE
  PATTERN "*.pdb" EXCLUDE
  PATTERN "*.ilk" EXCLUDE
  PATTERN "*.dSYM" EXCLUDE
  PATTERN "*.partial" EXCLUDE)

# The platform part of the package name: win64, macos-<architecture>,
# linux-<architecture>.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(vitrel_package_platform win64)
  else()
    set(vitrel_package_platform win32)
  endif()
elseif(APPLE)
  if(CMAKE_OSX_ARCHITECTURES)
    list(JOIN CMAKE_OSX_ARCHITECTURES "-" vitrel_package_arch)
  else()
    set(vitrel_package_arch ${CMAKE_SYSTEM_PROCESSOR})
  endif()
  set(vitrel_package_platform macos-${vitrel_package_arch})
else()
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" vitrel_package_platform)
endif()

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${vitrel_package_platform})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Only the plug-in component goes into the package, whatever else the
# build (or a library it pulls in) may install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};plugin;/")
include(CPack)
