# The timed word display and the Random pick.
lexmora_add_test(tst_randompick SOURCES display/tst_randompick.cpp LIBS lexmora_testsupport lexmora_display)
lexmora_add_test(tst_worddisplay SOURCES display/tst_worddisplay.cpp LIBS lexmora_guitestsupport)
