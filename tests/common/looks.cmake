# Shared looks: flat button faces, plain tooltips, the Status boxes' flash.
lexmora_add_test(tst_looks SOURCES common/tst_looks.cpp LIBS lexmora_common)
lexmora_add_test(tst_statusflash SOURCES common/tst_statusflash.cpp LIBS lexmora_common)
