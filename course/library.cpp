// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/library.h"

#include "practice/lesson_file.h"
#include "text/code_points.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace keyloom {
namespace {

// A set is a few thousand lines; more than this is no set of ours.
constexpr std::size_t kMaxSetBytes = 4U << 20U;

// A file's name as text, without its ".txt"; empty when it is not valid
// UTF-8 (Windows names are UTF-16 already).
std::u16string titleOf(const std::filesystem::path& file) {
#ifdef _WIN32
    const std::wstring stem = file.stem().wstring();
    return {stem.begin(), stem.end()};
#else
    return fromUtf8(file.stem().native());
#endif
}

std::u16string shown(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring name = path.wstring();
    return {name.begin(), name.end()};
#else
    std::u16string text = fromUtf8(path.native());
    return text.empty() ? u"(名字不是 UTF-8 的文件)" : text;
#endif
}

std::vector<std::u16string> setEntries(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw CourseError("数据文件缺失或无法读取：" + toUtf8(shown(path)) +
                          "（安装可能不完整）。");
    }
    std::string bytes;
    bytes.resize(kMaxSetBytes + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > kMaxSetBytes) {
        throw CourseError("数据文件过大，不像是课文：" + toUtf8(shown(path)) + "。");
    }
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end;
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            std::u16string entry = fromUtf8(line);
            if (entry.empty()) {
                throw CourseError("数据文件损坏（不是 UTF-8）：" + toUtf8(shown(path)) + "。");
            }
            entries.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return entries;
}

std::vector<std::u16string> articleEntries(const std::filesystem::path& path) {
    std::u16string text;
    try {
        text = readLesson(path);
    } catch (const std::exception& error) {
        throw CourseError(error.what());
    }
    std::vector<std::u16string> entries;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t units = unitsOfFirst(std::u16string_view(text).substr(at), 1);
        entries.emplace_back(text.substr(at, units));
        at += units;
    }
    return entries;
}

void listSets(const std::filesystem::path& folder, Library& library) {
    for (const std::u16string_view name : kSetNames) {
        CourseText text{.name = std::u16string(name), .isSet = true};
        // From UTF-16: a narrow name would be read in Windows' code page.
        text.path = folder / std::filesystem::path(std::u16string(name) + u".txt");
        try {
            text.size = setEntries(text.path).size();
            library.texts.push_back(std::move(text));
        } catch (const CourseError& error) {
            library.problems.push_back(fromUtf8(error.what()));
        }
    }
}

void listArticle(const std::filesystem::path& path, std::u16string title, Library& library) {
    try {
        const std::size_t size = articleEntries(path).size();
        if (size == 0) {
            library.problems.push_back(title + u"：没有可练习的文字。");
            return;
        }
        library.texts.push_back({.name = std::move(title), .path = path, .size = size});
    } catch (const CourseError& error) {
        library.problems.push_back(fromUtf8(error.what()));
    }
}

void listUserTexts(const std::filesystem::path& folder, const std::filesystem::path& bundled,
                   Library& library) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".txt" && entry->path() != bundled &&
            entry->is_regular_file(error)) {
            files.push_back(entry->path());
        }
    }
    if (files.empty()) {
        library.problems.push_back(u"自己的课文放在 " + shown(folder) +
                                   u"（每篇一个 .txt 文件），那里现在没有。");
        return;
    }
    std::sort(files.begin(), files.end());
    if (files.size() > kMaxUserTexts) {
        library.problems.push_back(u"自己的课文太多，只列出前 " +
                                   fromUtf8(std::to_string(kMaxUserTexts)) + u" 篇。");
        files.resize(kMaxUserTexts);
    }
    for (const std::filesystem::path& file : files) {
        std::u16string title = titleOf(file);
        if (title.empty()) {
            library.problems.push_back(u"文件名不是有效的 UTF-8，略过：" + shown(file));
            continue;
        }
        listArticle(file, std::move(title), library);
    }
}

} // namespace

Library readLibrary(const LibraryPlaces& places) {
    Library library;
    listSets(places.sets, library);
    listArticle(places.bundledLesson, titleOf(places.bundledLesson), library);
    listUserTexts(places.userTexts, places.bundledLesson, library);
    return library;
}

const CourseText* findText(const Library& library, std::u16string_view name) {
    const auto found = std::find_if(library.texts.begin(), library.texts.end(),
                                    [name](const CourseText& text) { return text.name == name; });
    return found == library.texts.end() ? nullptr : &*found;
}

CourseMaterial readMaterial(const CourseText& text) {
    CourseMaterial material{.entries =
                                text.isSet ? setEntries(text.path) : articleEntries(text.path),
                            .shuffles = text.isSet};
    if (material.entries.empty()) {
        throw CourseError("“" + toUtf8(text.name) + "”里没有可练习的文字。");
    }
    return material;
}

} // namespace keyloom
