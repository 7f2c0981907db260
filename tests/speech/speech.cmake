# Saying words: the display, the quiz, the word panel and the viewer with a recording
# speaker, and the engine's choice; the real engine once (it needs its plugin).
lexmora_add_test(tst_speech SOURCES speech/tst_speech.cpp LIBS lexmora_guitestsupport)
target_link_libraries(tst_speech PRIVATE Qt6::TextToSpeech)
