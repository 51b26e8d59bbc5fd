// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "data/data_folder.h"

#include <system_error>

namespace keyloom {
namespace {

bool holdsData(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / "lessons", error) ||
           std::filesystem::is_directory(folder / "codes", error);
}

} // namespace

std::optional<std::filesystem::path> dataFolder(const std::filesystem::path& programDir) {
    const std::filesystem::path installed =
        (programDir / ".." / ".." / "share" / "keyloom").lexically_normal();
    for (const std::filesystem::path& folder : {programDir, installed}) {
        if (holdsData(folder)) {
            return folder;
        }
    }
    return std::nullopt;
}

} // namespace keyloom
