# Replays the fuzzers' seeds and every input that once broke a property.
lexmora_add_test(tst_fuzzregressions SOURCES fuzz/tst_fuzzregressions.cpp LIBS lexmora_fuzzchecks)
target_compile_definitions(tst_fuzzregressions PRIVATE
  LEXMORA_FUZZ_DIR="${PROJECT_SOURCE_DIR}/fuzz")
