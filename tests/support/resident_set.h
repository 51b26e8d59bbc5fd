// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <fstream>
#include <string>

namespace keyloom {

// A figure of this process in KiB from /proc/self/status, such as "VmRSS:";
// -1 where the system has none.
inline long statusKiB(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string field;
    while (status >> field) {
        if (field == name) {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

// The resident set of this process in KiB.
inline long residentKiB() {
    return statusKiB("VmRSS:");
}

// The most this process has been resident, in KiB.
inline long peakResidentKiB() {
    return statusKiB("VmHWM:");
}

} // namespace keyloom
