# The SQL box, the quick searches and Show all.
lexmora_add_test(tst_querytext SOURCES query/tst_querytext.cpp LIBS lexmora_testsupport lexmora_query)
lexmora_add_test(tst_sqlparser SOURCES query/tst_sqlparser.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_quicksearch SOURCES query/tst_quicksearch.cpp LIBS lexmora_guitestsupport)
