# The word store's copies and start-up over unusual files, in the program and on their own.
lexmora_add_test(tst_backups SOURCES store/tst_backups.cpp LIBS lexmora_testsupport)
lexmora_add_test(tst_startup SOURCES store/tst_startup.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_userqueries SOURCES store/tst_userqueries.cpp LIBS lexmora_testsupport)
lexmora_add_test(tst_restore SOURCES store/tst_restore.cpp LIBS lexmora_testsupport)
add_dependencies(tst_restore lexmora-newdb) # run as the command line restore
# The store's operations at its edge: emptying rules, errors, skipped steps, long steps.
lexmora_add_test(tst_storeoperations SOURCES store/tst_storeoperations.cpp LIBS lexmora_testsupport)
# The model of how well a word is known, against its published reference values.
lexmora_add_test(tst_reviewmodel SOURCES store/tst_reviewmodel.cpp LIBS lexmora_store)
# The learner's history: answers, memories, quiz ends, and how they follow their records.
lexmora_add_test(tst_reviewbook SOURCES store/tst_reviewbook.cpp LIBS lexmora_testsupport)
