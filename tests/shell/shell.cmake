# The Splash screen, the start of the program and the Help window.
lexmora_add_test(tst_form3 SOURCES shell/tst_form3.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_helpf SOURCES shell/tst_helpf.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_secondarywindows SOURCES shell/tst_secondarywindows.cpp LIBS lexmora_guitestsupport)
# The real program, ending after a fatal start-up message.
lexmora_add_test(tst_programexit SOURCES shell/tst_programexit.cpp LIBS Qt6::Core)
target_compile_definitions(tst_programexit PRIVATE
  LEXMORA_ACCESS_TESTDATA="${LEXMORA_TESTDATA}/mdb")
add_dependencies(tst_programexit lexmora lexmora-newdb)
