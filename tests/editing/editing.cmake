# The word panel and Delete all: word normalization and look-ups by word, then the real
# Main window driven through its controls.
lexmora_add_test(tst_editinglogic SOURCES editing/tst_editinglogic.cpp LIBS lexmora_testsupport lexmora_editing)
lexmora_add_test(tst_wordpanel SOURCES editing/tst_wordpanel.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_deleteall SOURCES editing/tst_deleteall.cpp LIBS lexmora_guitestsupport)
