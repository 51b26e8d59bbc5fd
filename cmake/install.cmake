# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the program where Linux programs live. The executable and its
# lesson folder stay together in a private program directory, because the
# program looks for txt/ beside its real executable (after the user's own); bin/ gets a link to it,
# the desktop menu gets an entry and an icon, software centres the metainfo,
# and man a page.
include(GNUInstallDirs)

# A program directory, like /usr/lib/<program>, not a library directory: it is
# "lib" on every system, never the multiarch library directory.
set(KEYLOOM_PROGRAM_DIR lib/keyloom)

install(TARGETS keyloom RUNTIME DESTINATION ${KEYLOOM_PROGRAM_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/txt/文档.txt DESTINATION ${KEYLOOM_PROGRAM_DIR}/txt)
# The generated sets and code tables, in the package's data folder, which the
# program finds from its own folder (data/data_folder.h).
install(DIRECTORY ${KEYLOOM_DATA_DIR}/lessons ${KEYLOOM_DATA_DIR}/codes
        DESTINATION ${CMAKE_INSTALL_DATADIR}/keyloom)

# A relative link, so the installed tree works under any prefix and when
# unpacked into another root.
file(RELATIVE_PATH keyloom_link_target /${CMAKE_INSTALL_BINDIR}
     /${KEYLOOM_PROGRAM_DIR}/keyloom)
install(CODE "
    set(keyloom_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/keyloom\")
    message(STATUS \"Installing: \${keyloom_link} -> ${keyloom_link_target}\")
    get_filename_component(keyloom_link_dir \"\${keyloom_link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${keyloom_link_dir}\")
    file(CREATE_LINK \"${keyloom_link_target}\" \"\${keyloom_link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${keyloom_link}\")
")

install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.github.keyloom.keyloom.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/icons/keyloom.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/app/icons/keyloom-32.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME keyloom.png)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.github.keyloom.keyloom.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, reproducibly (no name or time inside).
set(keyloom_man_page ${CMAKE_BINARY_DIR}/keyloom.1.gz)
add_custom_command(OUTPUT ${keyloom_man_page}
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/keyloom.1 > ${keyloom_man_page}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/keyloom.1
    VERBATIM)
add_custom_target(keyloom_man_page ALL DEPENDS ${keyloom_man_page})
install(FILES ${keyloom_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's copyright and changelog, where Debian keeps them; the changelog
# compressed reproducibly, like the manual page.
set(KEYLOOM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/keyloom)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${KEYLOOM_DOC_DIR})
set(keyloom_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${keyloom_changelog}
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${keyloom_changelog}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
    VERBATIM)
add_custom_target(keyloom_changelog ALL DEPENDS ${keyloom_changelog})
install(FILES ${keyloom_changelog} DESTINATION ${KEYLOOM_DOC_DIR})
