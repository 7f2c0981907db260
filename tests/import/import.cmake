# The spreadsheet readers, the import loop and the import window.
# QuaZip's package makes its target global once src/import has found it.
if(NOT TARGET QuaZip::QuaZip)
  find_package(QuaZip-Qt6 REQUIRED)
endif()

# Writes .xlsx, .ods, .xls and .csv files for the tests and the benchmarks.
add_library(lexmora_sheetfiles STATIC ${CMAKE_CURRENT_LIST_DIR}/SheetFiles.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/SheetFiles.h)
target_include_directories(lexmora_sheetfiles PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lexmora_sheetfiles PUBLIC Qt6::Core PRIVATE QuaZip::QuaZip)

# Files written by other programs; tests skip when the folder is not there.
set(LEXMORA_TESTDATA "${PROJECT_SOURCE_DIR}/../shared/testdata" CACHE PATH
    "Spreadsheet files written by other programs")

lexmora_add_test(tst_sheetreaders SOURCES import/tst_sheetreaders.cpp
                 LIBS lexmora_import lexmora_sheetfiles)
target_compile_definitions(tst_sheetreaders PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")
lexmora_add_test(tst_sheetbounds SOURCES import/tst_sheetbounds.cpp
                 LIBS lexmora_import lexmora_sheetfiles lexmora_testsupport)
target_compile_definitions(tst_sheetbounds PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")
lexmora_add_test(tst_xlsprocess SOURCES import/tst_xlsprocess.cpp
                 LIBS lexmora_import lexmora_sheetfiles)
lexmora_add_test(tst_wordimport SOURCES import/tst_wordimport.cpp
                 LIBS lexmora_import lexmora_sheetfiles lexmora_testsupport)
lexmora_add_test(tst_form4 SOURCES import/tst_form4.cpp
                 LIBS lexmora_guitestsupport lexmora_sheetfiles)
target_compile_definitions(tst_form4 PRIVATE LEXMORA_TESTDATA="${LEXMORA_TESTDATA}")

# The import's steps on one file, without the window, for scripts/check-hostile.
add_executable(lexmora-sheetprobe import/sheetprobe.cpp)
target_link_libraries(lexmora-sheetprobe PRIVATE lexmora_import lexmora_sheetfiles)
