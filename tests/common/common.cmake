lexmora_add_test(tst_hoverlooks SOURCES common/tst_hoverlooks.cpp LIBS lexmora_common)
lexmora_add_test(tst_longwork SOURCES common/tst_longwork.cpp LIBS lexmora_common)
lexmora_add_test(tst_mainwindowloan SOURCES common/tst_mainwindowloan.cpp LIBS lexmora_common)
lexmora_add_test(tst_modaldialogs SOURCES common/tst_modaldialogs.cpp LIBS lexmora_common)
# The late modules: loaded beside the program, refused with a reason; the zip module's archives.
lexmora_add_test(tst_latemodule SOURCES common/tst_latemodule.cpp LIBS lexmora_zip)
add_dependencies(tst_latemodule lexmora-zip lexmora-charts)
