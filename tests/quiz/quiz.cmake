# The quiz: question drawing and its rules on their own, and the Quiz window in the program.
lexmora_add_test(tst_questionbuilder SOURCES quiz/tst_questionbuilder.cpp LIBS lexmora_quiz lexmora_testsupport)
lexmora_add_test(tst_quizrules SOURCES quiz/tst_quizrules.cpp LIBS lexmora_quiz lexmora_testsupport)
lexmora_add_test(tst_quiz SOURCES quiz/tst_quiz.cpp LIBS lexmora_guitestsupport)
