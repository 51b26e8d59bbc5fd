// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace keyloom {

// A shuffle that is the same on every platform for the same seed: the
// standard fixes mt19937_64's sequence, but neither std::shuffle nor its
// distributions, so the draw below a bound is our own (by rejection, no bias).
std::uint64_t drawBelow(std::mt19937_64& engine, std::uint64_t bound);

template <typename T> void shuffleWithSeed(std::vector<T>& items, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    for (std::size_t i = items.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(drawBelow(engine, i));
        std::swap(items[i - 1], items[j]);
    }
}

// The seed that follows `seed`: a new pass, or a new attempt, draws anew
// from it.
std::uint64_t nextSeed(std::uint64_t seed);

} // namespace keyloom
