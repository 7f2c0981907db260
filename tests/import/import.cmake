# The spreadsheet readers, the import loop and the import window.
lexmora_add_test(tst_sheetreaders SOURCES import/tst_sheetreaders.cpp
                 LIBS lexmora_import lexmora_fixtures)
target_compile_definitions(tst_sheetreaders PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")
lexmora_add_test(tst_sheetbounds SOURCES import/tst_sheetbounds.cpp
                 LIBS lexmora_import lexmora_fixtures lexmora_testsupport)
target_compile_definitions(tst_sheetbounds PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")
lexmora_add_test(tst_xlsprocess SOURCES import/tst_xlsprocess.cpp
                 LIBS lexmora_import lexmora_fixtures)
lexmora_add_test(tst_wordimport SOURCES import/tst_wordimport.cpp
                 LIBS lexmora_import lexmora_fixtures lexmora_testsupport)
lexmora_add_test(tst_form4 SOURCES import/tst_form4.cpp
                 LIBS lexmora_guitestsupport lexmora_fixtures)
target_compile_definitions(tst_form4 PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")

# The import's steps on one file, without the window, for scripts/check-hostile.
add_executable(lexmora-sheetprobe import/sheetprobe.cpp)
target_link_libraries(lexmora-sheetprobe PRIVATE lexmora_import lexmora_fixtures)

# The files of the other vocabulary programs: Anki's text files and .kvtml documents.
lexmora_add_test(tst_peerreaders SOURCES import/tst_peerreaders.cpp LIBS lexmora_import)
