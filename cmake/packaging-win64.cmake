# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows user's zip: keyloom.exe and txt\文档.txt, the licence, and the
# notices of the runtime linked into the program with where its source is
# (cpack in build/mingw; scripts/package builds it in build/package-win64).
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/NOTICES.txt.in
               ${PROJECT_BINARY_DIR}/NOTICES.txt @ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_BINARY_DIR}/NOTICES.txt DESTINATION .)
# Packing builds only what it installs (keyloom.exe), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME keyloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME keyloom-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
