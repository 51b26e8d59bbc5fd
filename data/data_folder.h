// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>

namespace keyloom {

// The folder that holds the program's generated data, its "lessons" and
// "codes" folders: beside the program (the build tree, the Windows zip)
// first, then "../../share/keyloom" from the program's folder (an installed
// /usr/lib/keyloom finds /usr/share/keyloom). Nothing when neither holds
// either folder: the data is not installed.
std::optional<std::filesystem::path> dataFolder(const std::filesystem::path& programDir);

} // namespace keyloom
