# Installation in the standard places and the Debian package.
#
#   bin/lexmora                 the launcher: runs the program in the per-user data folder
#   bin/lexmora-newdb           writes a fresh word database, or converts an Access one
#   libexec/lexmora/lexmora     the program itself (src/migrate finds lexmora-newdb from here)
#   libexec/lexmora/lexmora-sheetcells  reads .xls files for the program, in a process of its own
#   share/applications, share/icons/hicolor/scalable/apps, share/metainfo
#
# The starter word list is built into lexmora-newdb, so nothing else is needed at run time.
include(GNUInstallDirs)

set(LEXMORA_APP_ID org.lexmora.Lexmora)
set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/lexmora)

install(TARGETS lexmora RUNTIME DESTINATION ${program_dir})
install(TARGETS lexmora-sheetcells RUNTIME DESTINATION ${program_dir})
install(TARGETS lexmora-newdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The launcher finds the program relative to itself, so the installed tree can be moved.
file(RELATIVE_PATH PROGRAM_FROM_LAUNCHER /${CMAKE_INSTALL_BINDIR} /${program_dir})
configure_file(packaging/lexmora.in ${CMAKE_BINARY_DIR}/packaging/lexmora @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/lexmora DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(packaging/${LEXMORA_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${LEXMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES packaging/${LEXMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${LEXMORA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${LEXMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# cpack -G DEB in the build folder writes lexmora_<version>_<arch>.deb. The libraries the
# binaries link come from dpkg-shlibdeps; what they load at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexmora)
set(CPACK_PACKAGE_VENDOR "Lexmora")
set(CPACK_PACKAGE_CONTACT "Lexmora developers <lexmora@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn English vocabulary with flash cards and timed quizzes")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lexmora keeps words, their meanings and a note on each in six collections, shows them "
    "as timed flash cards, drills them in five-way quizzes and searches them quickly or "
    "with SQL. It starts with a list of more than a thousand words and brings over word "
    "files kept in Microsoft Access.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin of Qt, and the metric twin of Times New Roman the captions use.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
