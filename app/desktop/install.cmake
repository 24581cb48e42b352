# Installs the program and its help file side by side in <prefix>/lib/rpncalc (the program
# finds its help file and writes its session file beside itself, so the prefix should be a
# folder the user owns, such as ~/.local), plus a desktop entry and the icon.
set(RPNCALC_PROGRAM_DIR lib/rpncalc)

install(TARGETS rpncalc RUNTIME DESTINATION ${RPNCALC_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/help/rpncalc.hlp DESTINATION ${RPNCALC_PROGRAM_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/rpncalc.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The desktop entry names absolute paths, so it is written at install time, when the
# prefix given to `cmake --install --prefix` is known.
install(CODE "
    set(RPNCALC_INSTALL_DIR \"\${CMAKE_INSTALL_PREFIX}/${RPNCALC_PROGRAM_DIR}\")
    set(RPNCALC_ICON_PATH \"\${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/rpncalc.svg\")
    file(READ \"${CMAKE_CURRENT_LIST_DIR}/rpncalc.desktop.in\" entry)
    string(CONFIGURE \"\${entry}\" entry @ONLY)
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/rpncalc.desktop\")
    message(STATUS \"Installing: \${target}\")
    file(WRITE \"\${target}\" \"\${entry}\")
")
