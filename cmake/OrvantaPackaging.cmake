# Installing and the Debian package: program and tool in bin, the delivered
# data in share/orvanta (installed by data/), desktop entry, icon, AppStream
# metainfo and man pages. "cpack -G DEB" in the build folder makes
# orvanta_<version>_<arch>.deb there.

include(GNUInstallDirs)

set(ORVANTA_DATA_SOURCE ${CMAKE_SOURCE_DIR}/data)

install(TARGETS orvanta orvanta-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORVANTA_DATA_SOURCE}/orvanta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORVANTA_DATA_SOURCE}/orvanta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ORVANTA_DATA_SOURCE}/orvanta.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${ORVANTA_DATA_SOURCE}/de.orvanta.orvanta.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Plan files for file managers; dpkg's triggers rebuild the MIME database.
install(FILES ${ORVANTA_DATA_SOURCE}/orvanta.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${ORVANTA_DATA_SOURCE}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)

# Man pages and the changelog go compressed, without a time stamp, so that
# the package is the same at every build.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(ORVANTA_COMPRESSED)
foreach(doc orvanta.1 orvanta-tool.1 changelog)
    set(out ${CMAKE_BINARY_DIR}/doc/${doc}.gz)
    add_custom_command(OUTPUT ${out}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
                       COMMAND ${GZIP_EXECUTABLE} -9nc ${ORVANTA_DATA_SOURCE}/${doc} > ${out}
                       DEPENDS ${ORVANTA_DATA_SOURCE}/${doc} VERBATIM)
    list(APPEND ORVANTA_COMPRESSED ${out})
endforeach()
add_custom_target(orvanta_docs ALL DEPENDS ${ORVANTA_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/doc/orvanta.1.gz ${CMAKE_BINARY_DIR}/doc/orvanta-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Die Entwickler von Orvanta")
set(CPACK_PACKAGE_CONTACT "Die Entwickler von Orvanta <orvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Beratungsrechner für den Fondsplan VALMERA 47")
# The synopsis line comes from the summary; this is the text below it.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvanta zeigt im Beratungsgespräch, was der Fondsplan VALMERA 47 erbringen\n"
    "kann: Vermögensaufbau als Aufbauplan, Einmalanlage oder Systemeinmalanlage\n"
    "bei vier Wertentwicklungen und die mögliche monatliche Entnahme danach.\n"
    "Jeder Kunde bekommt eine eigene Plandatei; die Berichte werden gedruckt,\n"
    "die Jahrestabellen als CSV gespeichert.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: the fonts standing in for Arial, German texts
# of Qt's own dialogs, and the platform plugins without which no window opens.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The package builds and lintian finds no error in it; an install into a
# temporary DESTDIR works from there and keeps each user's data apart.
if(BUILD_TESTING)
    add_test(NAME package_deb
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/check_deb.sh ${CMAKE_BINARY_DIR}
                     ${ORVANTA_HARDENED})
    set_tests_properties(package_deb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 RESOURCE_LOCK orvanta_install)
    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_Interpreter_FOUND)
        # The window part of the test needs a display. Without -noreset the
        # server resets whenever its last client leaves (each xdotool call
        # is one), and a start that falls into a reset cannot connect.
        find_program(XVFB_RUN xvfb-run)
        set(ORVANTA_WITH_DISPLAY)
        if(XVFB_RUN)
            set(ORVANTA_WITH_DISPLAY ${XVFB_RUN} -a -s "-noreset -screen 0 1280x1024x24")
        endif()
        add_test(NAME package_install
                 COMMAND ${ORVANTA_WITH_DISPLAY} ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/package/test_install.py
                         ${CMAKE_BINARY_DIR})
        set_tests_properties(package_install PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
                             RESOURCE_LOCK orvanta_install)
    endif()
endif()
