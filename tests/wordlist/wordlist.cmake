# The word list: its model over real word databases, and the window in the whole program.
lexmora_add_test(tst_wordlistmodel SOURCES wordlist/tst_wordlistmodel.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_wordlist SOURCES wordlist/tst_wordlist.cpp LIBS lexmora_guitestsupport)
