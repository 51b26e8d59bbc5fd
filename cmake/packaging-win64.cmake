# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows user's zip: keyloom.exe and txt\文档.txt, the lessons and code
# tables, the licences, and the notices of the runtime linked into the program
# and of the data, with where their source is (cpack in build/mingw;
# scripts/package builds it in build/package-win64).
# The notices name the version of each Debian source package that went into
# the zip, as this machine has it installed.
function(keyloom_source_version variable package)
    execute_process(COMMAND dpkg-query -W -f=\${source:Version} ${package}
                    OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR version STREQUAL "")
        message(FATAL_ERROR "${package} is not installed: scripts/install-deps installs it")
    endif()
    set(${variable} ${version} PARENT_SCOPE)
endfunction()
keyloom_source_version(MINGW_VERSION mingw-w64-common)
keyloom_source_version(RIME_ESSAY_VERSION rime-essay)
keyloom_source_version(OPENCC_VERSION libopencc-data)
keyloom_source_version(UNICODE_DATA_VERSION unicode-data)
keyloom_source_version(RIME_WUBI_VERSION rime-data-wubi)
keyloom_source_version(RIME_PINYIN_SIMP_VERSION rime-data-pinyin-simp)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/NOTICES.txt.in
               ${PROJECT_BINARY_DIR}/NOTICES.txt @ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_BINARY_DIR}/NOTICES.txt DESTINATION .)
# The licences of the lessons' and code tables' sources, as Debian keeps them.
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION . RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/Apache-2.0 DESTINATION . RENAME Apache-2.0.txt)
# Packing builds only what it installs (keyloom.exe), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME keyloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME keyloom-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
