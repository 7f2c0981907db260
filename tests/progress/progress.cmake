# The progress window in the program.
lexmora_add_test(tst_progresswindow SOURCES progress/tst_progresswindow.cpp LIBS lexmora_guitestsupport Qt6::Charts)
