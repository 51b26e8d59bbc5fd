// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/shuffle.h"

#include <limits>

namespace keyloom {

std::uint64_t drawBelow(std::mt19937_64& engine, std::uint64_t bound) {
    // The largest multiple of `bound` the engine can give; draws at or above
    // it would favour the small values.
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() -
                                std::numeric_limits<std::uint64_t>::max() % bound;
    std::uint64_t value = 0;
    do {
        value = engine();
    } while (value >= limit);
    return value % bound;
}

std::uint64_t nextSeed(std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    return engine();
}

} // namespace keyloom
