// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal's reader on arbitrary files: it may not crash or hang; every
// run it gives must write back as a line that reads back as the same line
// (a hand-edited figure with more decimals is rounded once, then kept); and
// deleting a run it gave must leave the other runs as they were. The input
// is the runs file, a NUL, then the characters file.
#include "journal/journal.h"
#include "journal/journal_lines.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace {

using namespace keyloom;

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The journal's files in memory, handed to the reader in small pieces so
// that lines cross them.
class MemoryFiles : public JournalFiles {
  public:
    std::map<std::string, std::string, std::less<>> files;

    [[nodiscard]] const std::filesystem::path& folder() const override { return folder_; }
    std::unique_ptr<JournalLock> lock() override { return std::make_unique<JournalLock>(); }
    void append(std::string_view name, std::string_view header, std::string_view lines,
                AppendSync /*sync*/) override {
        std::string& file = files[std::string(name)];
        file += file.empty() ? header : std::string_view();
        file += lines;
    }
    std::unique_ptr<JournalReplacement> replace(std::string_view name) override {
        return std::make_unique<Replacement>(files[std::string(name)]);
    }
    bool read(std::string_view name,
              const std::function<void(std::string_view piece)>& take) override {
        const auto found = files.find(name);
        if (found == files.end()) {
            return false;
        }
        constexpr std::size_t kPiece = 7;
        for (std::size_t at = 0; at < found->second.size(); at += kPiece) {
            take(std::string_view(found->second).substr(at, kPiece));
        }
        return true;
    }

  private:
    class Replacement : public JournalReplacement {
      public:
        explicit Replacement(std::string& file) : file_(file) {}
        void write(std::string_view bytes) override { written_ += bytes; }
        void commit() override { file_ = written_; }

      private:
        std::string& file_;
        std::string written_;
    };
    std::filesystem::path folder_ = "journal";
};

bool sameRun(const JournalRun& a, const JournalRun& b) {
    return runLine(a) == runLine(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    MemoryFiles files;
    files.files[std::string(kRunsFileName)] = input.substr(0, split);
    if (split != std::string_view::npos) {
        files.files[std::string(kCharactersFileName)] = input.substr(split + 1);
    }
    Journal journal(files, [] { return WallTime{1'796'000'000, 480}; });
    const JournalContents contents = journal.read();

    for (const JournalRun& run : contents.runs) {
        std::string line = runLine(run);
        JournalRun again;
        line.pop_back();
        require(parseRunLine(line, again) == LineKind::record, "a run read writes back readable");
        require(sameRun(run, again), "a run read writes back the same line");
    }
    for (const CharacterHistory& history : contents.characters) {
        require(history.typed >= history.wrong && history.wrong >= 0, "wrong within typed");
    }
    if (!contents.runs.empty()) {
        const std::string gone = contents.runs.front().key;
        journal.remove(gone);
        const JournalContents after = journal.read();
        require(after.runs.size() + 1 == contents.runs.size(), "one run deleted");
        for (std::size_t i = 0, j = 0; i < contents.runs.size(); ++i) {
            if (contents.runs[i].key != gone) {
                require(sameRun(contents.runs[i], after.runs[j++]), "the other runs kept");
            }
        }
    }
    return 0;
}
