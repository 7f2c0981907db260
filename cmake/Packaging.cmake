# Installation in the standard places and the Debian package.
#
#   bin/lexmora                 the launcher: runs the program in the per-user data folder
#   bin/lexmora-newdb           writes a fresh word database, or converts an Access one
#   libexec/lexmora/lexmora     the program itself (src/migrate finds lexmora-newdb from here)
#   libexec/lexmora/lexmora-sheetcells  reads .xls files for the program, in a process of its own
#   libexec/lexmora/lexmora-speaker     says words for the program, in a process of its own
#   lib/lexmora/modules/lexmora-charts.so, lexmora-zip.so  parts of the program it loads
#                               when first needed (the progress charts; zipped spreadsheets);
#                               a folder below lib/lexmora, as no library of ours is for
#                               the linker (CPack would add ldconfig calls for lib/lexmora)
#   share/applications, share/icons/hicolor/scalable/apps, share/metainfo
#   share/man/man1              lexmora.1.gz, lexmora-newdb.1.gz
#   share/doc/lexmora           copyright (machine-readable), changelog.gz (Debian's format)
#
# The starter word list is built into lexmora-newdb, so nothing else is needed at run time.
include(GNUInstallDirs)
find_program(LEXMORA_GZIP gzip REQUIRED)

set(LEXMORA_APP_ID org.lexmora.Lexmora)
set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/lexmora)

install(TARGETS lexmora RUNTIME DESTINATION ${program_dir})
install(TARGETS lexmora-sheetcells RUNTIME DESTINATION ${program_dir})
install(TARGETS lexmora-speaker RUNTIME DESTINATION ${program_dir})
install(TARGETS lexmora-newdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Where src/common/LateModule.cpp looks for them.
install(TARGETS lexmora-charts lexmora-zip LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lexmora/modules)

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

# Debian wants manual pages and the changelog compressed with gzip -9n: the best
# compression, and no name or time stamp, so the same sources give the same package.
# They are made when CMake configures, which it does again whenever a source changes.
function(lexmora_gzip_copy source configured)
  if(configured)
    configure_file(${source} ${CMAKE_BINARY_DIR}/${source} @ONLY)
  else()
    configure_file(${source} ${CMAKE_BINARY_DIR}/${source} COPYONLY)
  endif()
  execute_process(COMMAND ${LEXMORA_GZIP} -9nkf ${CMAKE_BINARY_DIR}/${source}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(page lexmora lexmora-newdb)
  lexmora_gzip_copy(packaging/${page}.1 TRUE)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The folder is named after the package, not after the CMake project (GNUInstallDirs'
# DOCDIR would be share/doc/Lexmora).
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/lexmora)
lexmora_gzip_copy(packaging/changelog FALSE)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${doc_dir})
install(FILES packaging/copyright DESTINATION ${doc_dir})

# cpack -G DEB in the build folder writes lexmora_<version>_<arch>.deb. The libraries the
# binaries link come from dpkg-shlibdeps; what they load at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexmora)
set(CPACK_PACKAGE_VENDOR "Lexmora")
set(CPACK_PACKAGE_CONTACT "Lexmora developers <lexmora@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn English vocabulary with flash cards and timed quizzes")
# The extended description as dpkg shows it: lines of at most 80 characters, an empty
# line between paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [=[
Lexmora helps you learn English vocabulary for the verbal section of an
admissions test. It keeps words, their meanings and a note on each in six
collections, shows them as timed flash cards in table order or at random,
drills them in timed five-way quizzes that mark every word answered wrongly,
and searches them quickly or with SQL.

It starts with a list of more than a thousand words, imports words from
spreadsheets (.xls, .xlsx, .ods, .csv) and brings over word files kept in
Microsoft Access by earlier versions.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The binaries are stripped into the package and their debug information goes into
# lexmora-dbgsym_<version>_<arch>.ddeb beside it, found by build ID (CPack strips them
# itself when it writes that package, so CPACK_STRIP_FILES stays off).
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebugPackage.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin of Qt, and the metric twin of Times New Roman the captions use.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
# The speech engines Qt's text to speech loads: flite speaks offline with no service
# running, speech-dispatcher where one is. Without either, the words are not spoken.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-speech-flite-plugin | qt6-speech-speechd-plugin")
include(CPack)
