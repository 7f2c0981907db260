lexmora_add_test(tst_hoverlooks SOURCES common/tst_hoverlooks.cpp LIBS lexmora_common)
