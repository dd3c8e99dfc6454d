# Copies res/ and Vitrel.pdf from the main build's plug-in folder (FROM)
# into the SDK build's (TO), leaving the library there alone. The manual is
# optional where groff is (see res/CMakeLists.txt).
if(NOT IS_DIRECTORY "${FROM}/res")
  message(FATAL_ERROR "${FROM}/res is missing: the plug-in folder of the main build is not laid out")
endif()
file(REMOVE_RECURSE "${TO}/res")
file(COPY "${FROM}/res" DESTINATION "${TO}")
if(EXISTS "${FROM}/Vitrel.pdf")
  file(COPY "${FROM}/Vitrel.pdf" DESTINATION "${TO}")
endif()
