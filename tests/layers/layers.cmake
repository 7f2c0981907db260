# The store as the only door to the word file.
add_test(NAME tst_layers COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-layers.sh ${PROJECT_SOURCE_DIR})
