# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program and its help file side by side in <prefix>/lib/rpncalc (the program
# finds its help file beside itself) with a link to it in <prefix>/bin, the desktop entry,
# the icon, the AppStream metadata and the manual page. The session file lies beside the
# program when the user can write there, or in the user's configuration folder otherwise
# (README, "Where the session is kept").
set(RPNCALC_PROGRAM_DIR lib/rpncalc)

install(TARGETS rpncalc RUNTIME DESTINATION ${RPNCALC_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/help/rpncalc.hlp DESTINATION ${RPNCALC_PROGRAM_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/rpncalc.svg
        DESTINATION share/icons/hicolor/scalable/apps)
# The metadata and the manual page name the version of project(VERSION).
configure_file(${CMAKE_CURRENT_LIST_DIR}/io.github.rpncalc.rpncalc.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/io.github.rpncalc.rpncalc.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/rpncalc.1.in ${CMAKE_CURRENT_BINARY_DIR}/rpncalc.1 @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/io.github.rpncalc.rpncalc.metainfo.xml
        DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/rpncalc.1 DESTINATION share/man/man1)

# The link is relative, so that the installed tree may be moved (and packaged) as a whole.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/link)
file(CREATE_LINK ../${RPNCALC_PROGRAM_DIR}/rpncalc ${CMAKE_CURRENT_BINARY_DIR}/link/rpncalc
     SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/link/rpncalc DESTINATION bin)

# The desktop entry is written at install time, when the prefix given to
# `cmake --install --prefix` is known. In a system prefix, whose bin folder is on everyone's
# PATH and whose icons the desktop finds, it names the command and the icon; elsewhere (such
# as ~/.local) their full paths, which need no PATH.
install(CODE "
    set(RPNCALC_EXEC \"\${CMAKE_INSTALL_PREFIX}/${RPNCALC_PROGRAM_DIR}/rpncalc\")
    set(RPNCALC_ICON \"\${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/rpncalc.svg\")
    if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?$\")
        set(RPNCALC_EXEC rpncalc)
        set(RPNCALC_ICON rpncalc)
    endif()
    file(READ \"${CMAKE_CURRENT_LIST_DIR}/rpncalc.desktop.in\" entry)
    string(CONFIGURE \"\${entry}\" entry @ONLY)
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/rpncalc.desktop\")
    message(STATUS \"Installing: \${target}\")
    file(WRITE \"\${target}\" \"\${entry}\")
")
