// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/table_files.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace keyloom {
namespace {

constexpr std::array<std::string_view, 2> kBuiltInTables{"五笔86", "拼音"};

std::filesystem::path fromUtf8Name(std::string_view name) {
    return {std::u8string(name.begin(), name.end())};
}

std::string nameOf(const std::filesystem::path& file) {
    const std::u8string stem = file.stem().u8string();
    return {stem.begin(), stem.end()};
}

} // namespace

std::filesystem::path userCodesFolder(const std::filesystem::path& userDataDir) {
    return userDataDir.empty() ? std::filesystem::path() : userDataDir / "keyloom" / "codes";
}

std::vector<TableFile> tableFiles(const std::filesystem::path& builtInFolder,
                                  const std::filesystem::path& userFolder) {
    std::vector<TableFile> tables;
    tables.reserve(kBuiltInTables.size());
    for (const std::string_view name : kBuiltInTables) {
        tables.push_back(
            {std::string(name), builtInFolder / fromUtf8Name(std::string(name) + ".txt")});
    }
    std::vector<TableFile> own;
    std::error_code error;
    for (std::filesystem::directory_iterator it(userFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& file = it->path();
        if (file.extension() == ".txt" && !it->is_directory(error)) {
            own.push_back({nameOf(file), file});
        }
    }
    std::sort(own.begin(), own.end(),
              [](const TableFile& a, const TableFile& b) { return a.name < b.name; });
    for (TableFile& table : own) {
        if (findTable(tables, table.name) == nullptr) {
            tables.push_back(std::move(table));
        }
    }
    return tables;
}

const TableFile* findTable(const std::vector<TableFile>& tables, std::string_view name) {
    const auto found = std::find_if(tables.begin(), tables.end(),
                                    [name](const TableFile& table) { return table.name == name; });
    return found == tables.end() ? nullptr : &*found;
}

TableReading readCodeTableFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {};
    }
    constexpr std::size_t kChunk = std::size_t{1} << 20U;
    std::string bytes;
    while (in && bytes.size() < kMaxTableBytes) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kChunk);
        in.read(bytes.data() + had, static_cast<std::streamsize>(kChunk));
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
    }
    TableReading reading = readCodeTable(bytes);
    bytes = {};
#ifdef __GLIBC__
    // Reading sorts several arrays the size of the table; freed, they would
    // stay in the heap, resident, as long as the program runs.
    malloc_trim(0);
#endif
    return reading;
}

} // namespace keyloom
