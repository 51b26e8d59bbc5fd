# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package: `cpack -G DEB` in a build directory (scripts/package does
# it all) gives keyloom_<version>_<arch>.deb holding what install.cmake installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keyloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Keyloom")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing practice for Chinese text entry")
# The long description, wrapped as Debian wants it: every line under 80
# columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Keyloom shows a lesson text in one pane and the characters you type\n"
    "through an input method in the other, marks each one right or wrong as\n"
    "it arrives, and keeps count of time, speed and accuracy. It works with\n"
    "fcitx5 or IBus and any Chinese input method.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Keyloom developers <keyloom-dev@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from what the executable links (dpkg-shlibdeps); the
# rows are drawn in a CJK font, which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-arphic-gbsn00lp, fonts-noto-cjk | fonts-wqy-zenhei, fonts-hanazono")
# qt6-wayland gives a native window in a Wayland session; without it Qt runs
# the window under XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fcitx5-chinese-addons | ibus-libpinyin, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
