# Bringing words over from Access word files: the libmdb reader on real Access files, the
# conversion, lexmora-newdb --from-access and the start-up offer. The tests skip when the
# shared Access files are absent.
set(access_testdata "${LEXMORA_TESTDATA}/mdb")
foreach(test tst_accessreader tst_accessconversion tst_accessmigration)
  lexmora_add_test(${test} SOURCES migrate/${test}.cpp migrate/AccessTestFiles.h
    LIBS lexmora_guitestsupport lexmora_access)
  target_include_directories(${test} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(${test} PRIVATE LEXMORA_ACCESS_TESTDATA="${access_testdata}")
  # The conversion runs in lexmora-newdb, found beside the program.
  add_dependencies(${test} lexmora-newdb)
endforeach()
