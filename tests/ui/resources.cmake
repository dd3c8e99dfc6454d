# Tests of the stand-in host's resources: the resource reader, layouts,
# bitmaps and user areas. Included from this folder's CMakeLists.txt.
vitrel_test(resources_tests
  ${CMAKE_CURRENT_LIST_DIR}/resources_drawing_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources_layout_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources_reader_tests.cpp
)
target_link_libraries(resources_tests PRIVATE standin_resources)
# The plug-in's shared ids, to check that its resource file carries them all.
target_include_directories(resources_tests PRIVATE ${Vitrel_SOURCE_DIR}/source)
target_compile_definitions(resources_tests PRIVATE VITREL_PLUGIN_DIR="${VITREL_TEST_SOURCE_DIR}"
                                                   VITREL_RES_DIR="${VITREL_TEST_SOURCE_DIR}/res"
                                                   VITREL_TEST_PICTURES_DIR="${VITREL_TEST_SOURCE_DIR}/tests/ui/pictures")
