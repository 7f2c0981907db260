# The spreadsheet readers, the import loop and the import window.
lexmora_add_test(tst_sheetreaders SOURCES import/tst_sheetreaders.cpp
                 LIBS lexmora_import lexmora_fixtures)
target_compile_definitions(tst_sheetreaders PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")
lexmora_add_test(tst_wordimport SOURCES import/tst_wordimport.cpp
                 LIBS lexmora_import lexmora_fixtures lexmora_testsupport)
lexmora_add_test(tst_form4 SOURCES import/tst_form4.cpp
                 LIBS lexmora_guitestsupport lexmora_fixtures)
