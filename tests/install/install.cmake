# Installs into a temporary prefix and checks what was installed: the files in their
# places, the desktop entry and AppStream metainfo as their validators see them, and the
# launcher making the word database in a fresh data folder on first use.
add_test(NAME tst_install COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR})
set_tests_properties(tst_install PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
