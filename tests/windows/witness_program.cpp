// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Started by the tests in place of the system-information tool: leaves
// "<its own path>.witness" behind so the tests can see that it ran.
#include <array>
#include <fstream>
#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), path.size());
    if (length == 0 || length == path.size()) {
        return 1;
    }
    std::ofstream(std::string(path.data(), length) + ".witness") << "started\n";
    return 0;
}
