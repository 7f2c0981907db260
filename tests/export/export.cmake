# The export's formats, read back by the import's readers and checked by the rules of the
# programs that read them.
lexmora_add_test(tst_wordexport SOURCES export/tst_wordexport.cpp export/ExportRows.h
                 LIBS lexmora_export lexmora_import Qt6::Xml)
target_include_directories(tst_wordexport PRIVATE ${CMAKE_CURRENT_LIST_DIR})

# The Export buttons of the Main window and the Results viewer, and lexmora-newdb --export.
lexmora_add_test(tst_exportbuttons SOURCES export/tst_exportbuttons.cpp
                 LIBS lexmora_guitestsupport)
target_compile_definitions(tst_exportbuttons PRIVATE
                           LEXMORA_NEWDB="$<TARGET_FILE:lexmora-newdb>")
add_dependencies(tst_exportbuttons lexmora-newdb)
