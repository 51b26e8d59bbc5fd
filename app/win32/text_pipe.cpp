// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/win32/text_pipe.h"

#include <algorithm>
#include <cstddef>

namespace keyloom {

HANDLE filledPipe(std::string_view bytes) {
    SECURITY_ATTRIBUTES inheritable{.nLength = sizeof(SECURITY_ATTRIBUTES),
                                    .lpSecurityDescriptor = nullptr,
                                    .bInheritHandle = TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (CreatePipe(&readEnd, &writeEnd, &inheritable, static_cast<DWORD>(bytes.size() + 1)) ==
        FALSE) {
        return nullptr;
    }
    // Without a reader a full pipe would wait forever: a write that does not
    // fit returns short instead.
    DWORD noWait = PIPE_NOWAIT;
    bool whole = SetNamedPipeHandleState(writeEnd, &noWait, nullptr, nullptr) != FALSE;
    for (std::size_t done = 0; whole && done < bytes.size();) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 65536));
        whole =
            WriteFile(writeEnd, bytes.data() + done, chunk, &wrote, nullptr) != FALSE && wrote > 0;
        done += wrote;
    }
    CloseHandle(writeEnd);
    if (!whole) {
        CloseHandle(readEnd);
        return nullptr;
    }
    return readEnd;
}

} // namespace keyloom
