# Substring searches through the trigram index against a plain scan.
lexmora_add_test(tst_searchindex SOURCES store/tst_searchindex.cpp LIBS lexmora_testsupport)
