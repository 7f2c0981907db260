# The crash test: a program of its own (scripts/crash-test runs 100 kills per operation)
# and a short run of it in the test command, so it cannot rot.
add_executable(lexmora-crashtest crash/crashtest.cpp crash/CrashOperations.cpp crash/CrashOperations.h)
target_link_libraries(lexmora-crashtest PRIVATE lexmora_testsupport lexmora_fixtures lexmora_collections
                      lexmora_import lexmora_editing)
add_test(NAME crash_short COMMAND lexmora-crashtest 3)
set_tests_properties(crash_short PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
