// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pipe a new run reads its text from holds the whole text before the new
// run exists, so nothing the old program does after the start can cut it.
#include "app/win32/text_pipe.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace keyloom {
namespace {

std::string readToEnd(HANDLE pipe) {
    std::string got;
    std::array<char, 65536> chunk{};
    DWORD read = 0;
    while (ReadFile(pipe, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) !=
               FALSE &&
           read > 0) {
        got.append(chunk.data(), read);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
    return got;
}

// Sizes around one write, and a text of a few hundred KB, well past a
// pipe's usual buffer.
TEST(TextPipe, HoldsTheWholeTextAndItsEndBeforeAnyReaderRuns) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4096},
                                   std::size_t{65536}, std::size_t{65537}, std::size_t{400000}}) {
        std::string text(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            text[i] = static_cast<char>('a' + i % 23);
        }
        const HANDLE pipe = filledPipe(text);
        ASSERT_NE(pipe, nullptr) << size;
        DWORD flags = 0;
        ASSERT_NE(GetHandleInformation(pipe, &flags), FALSE);
        EXPECT_NE(flags & HANDLE_FLAG_INHERIT, 0U) << size;
        EXPECT_EQ(readToEnd(pipe), text) << size;
        CloseHandle(pipe);
    }
}

} // namespace
} // namespace keyloom
