# Keyboard use, focus frames, names for assistive tools and small screens.
set(keys_screens ${CMAKE_CURRENT_LIST_DIR})
lexmora_add_test(tst_desktopmanners SOURCES keys/tst_desktopmanners.cpp LIBS lexmora_common)
lexmora_add_test(tst_keyboard SOURCES keys/tst_keyboard.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_smallscreen SOURCES keys/tst_smallscreen.cpp LIBS lexmora_guitestsupport)
# A laptop screen of 1024x768 pixels, the taskbar's strip taken off its available area.
set_tests_properties(tst_smallscreen PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen:configfile=${keys_screens}/screen-1024x768.json")
