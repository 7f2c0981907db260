# The Splash screen, the start of the program and the Help window.
lexmora_add_test(tst_form3 SOURCES shell/tst_form3.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_helpf SOURCES shell/tst_helpf.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_secondarywindows SOURCES shell/tst_secondarywindows.cpp LIBS lexmora_guitestsupport)
