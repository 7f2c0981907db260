# The Database Selector: its logic over a word database, and the window in the program.
lexmora_add_test(tst_collectionmanager SOURCES collections/tst_collectionmanager.cpp LIBS lexmora_collections lexmora_testsupport)
lexmora_add_test(tst_form2 SOURCES collections/tst_form2.cpp LIBS lexmora_guitestsupport)
