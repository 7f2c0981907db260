# The Results viewer and its paging rule.
lexmora_add_test(tst_resultspaging SOURCES query/tst_resultspaging.cpp LIBS lexmora_query Qt6::Core)
lexmora_add_test(tst_sqlret SOURCES query/tst_sqlret.cpp LIBS lexmora_guitestsupport)
