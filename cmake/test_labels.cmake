# CTest labels for tests that GoogleTest discovers at build time (see
# tests/CMakeLists.txt for what the labels mean).

# vitrel_label_discovered(LIST LABELS): labels the tests GoogleTest found
# and named in the list LIST. Discovery hands its properties on as one flat
# list, which cannot carry a list of labels; a script CTest reads after the
# discovered tests sets them instead.
function(vitrel_label_discovered list labels)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${list}_labels.cmake)
  file(WRITE ${script} "if(${list})\n  set_tests_properties(\${${list}} PROPERTIES LABELS \"${labels}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
