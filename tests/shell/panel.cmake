# The control panel, its cover and lock, hover looks and popup help.
lexmora_add_test(tst_controlpanel SOURCES shell/tst_controlpanel.cpp LIBS lexmora_shell)
lexmora_add_test(tst_panel SOURCES shell/tst_panel.cpp LIBS lexmora_guitestsupport)
lexmora_add_test(tst_mainwindowtext SOURCES shell/tst_mainwindowtext.cpp LIBS lexmora_guitestsupport)
