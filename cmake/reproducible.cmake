# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds that do not depend on where the source lies: paths in debug
# information, assertions and the Windows program's debug link are written
# relative to the source root (build folders lie inside it), so two builds of
# one commit in different folders give the same bytes. File times come from
# SOURCE_DATE_EPOCH, which scripts/package sets for the whole build.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()
