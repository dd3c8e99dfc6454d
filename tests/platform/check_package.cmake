# Checks a plug-in package: unpacks the ZIP into a scratch folder and
# compares everything in it, files and folders, with what a user must get,
# vitrel/ at the top and nothing else. Fails with one line naming what is
# missing and what is extra.
#
#   cmake -DPACKAGE=build/default/packages/Vitrel-1.2.0-linux-x86_64.zip
#         -DLIBRARY=vitrel.so [-DSCRATCH=folder] -P tests/platform/check_package.cmake
#
# LIBRARY is the library's file name on the package's platform: vitrel.so,
# vitrel.xdl64 or vitrel.xlib. SCRATCH defaults to PACKAGE.contents; it is
# removed when the check passes and kept for a look when it fails.
foreach(required PACKAGE LIBRARY)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_package.cmake needs -D${required}=...")
  endif()
endforeach()
# Absolute paths: extracting works from inside the scratch folder.
get_filename_component(PACKAGE "${PACKAGE}" ABSOLUTE)
if(NOT EXISTS "${PACKAGE}")
  message(FATAL_ERROR " ${PACKAGE}: no such package")
endif()
if(NOT DEFINED SCRATCH)
  set(SCRATCH "${PACKAGE}.contents")
endif()
get_filename_component(SCRATCH "${SCRATCH}" ABSOLUTE)

set(expected
  vitrel
  vitrel/${LIBRARY}
  vitrel/Vitrel.pdf
  vitrel/res
  vitrel/res/dialogs.res
  vitrel/res/strings_en
  vitrel/res/strings_en/dialogs.str
  vitrel/res/banner.tif
  vitrel/res/usage.tif
  vitrel/res/version.tif
  vitrel/res/mirror.tif
)

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
file(ARCHIVE_EXTRACT INPUT "${PACKAGE}" DESTINATION "${SCRATCH}")
file(GLOB_RECURSE found LIST_DIRECTORIES true RELATIVE "${SCRATCH}" "${SCRATCH}/*")

set(missing ${expected})
list(REMOVE_ITEM missing ${found})
set(extra ${found})
list(REMOVE_ITEM extra ${expected})

# An empty file in the package is as good as a missing one.
foreach(entry IN LISTS expected)
  if(NOT IS_DIRECTORY "${SCRATCH}/${entry}" AND EXISTS "${SCRATCH}/${entry}")
    file(SIZE "${SCRATCH}/${entry}" size)
    if(size EQUAL 0)
      list(APPEND missing "${entry} (empty)")
    endif()
  endif()
endforeach()

if(missing OR extra)
  list(SORT missing)
  list(SORT extra)
  list(JOIN missing ", " missing)
  list(JOIN extra ", " extra)
  get_filename_component(name "${PACKAGE}" NAME)
  if(NOT missing)
    set(missing "nothing")
  endif()
  if(NOT extra)
    set(extra "nothing")
  endif()
  # The leading space keeps CMake from wrapping the line.
  message(FATAL_ERROR " ${name}: missing ${missing}; extra ${extra}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
list(LENGTH expected count)
message(STATUS "${PACKAGE}: the plug-in folder as expected (${count} entries)")
