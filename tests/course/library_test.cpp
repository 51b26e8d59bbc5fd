// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The library the lesson window lists, from folders these tests write.
#include "course/library.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

namespace keyloom {
namespace {

namespace fs = std::filesystem;

class Places {
  public:
    Places()
        : root_(fs::temp_directory_path() /
                ("keyloom-library-" + std::to_string(std::random_device()()))) {
        fs::create_directories(root_ / "lessons");
        fs::create_directories(root_ / "txt");
        write(bundled(), "\xce\xc4\xb5\xb5"); // 文档 in GBK
    }
    ~Places() { fs::remove_all(root_); }
    Places(const Places&) = delete;
    Places& operator=(const Places&) = delete;

    [[nodiscard]] LibraryPlaces places() const {
        return {.sets = root_ / "lessons", .userTexts = root_ / "txt", .bundledLesson = bundled()};
    }
    [[nodiscard]] fs::path bundled() const { return root_ / u8"文档.txt"; }
    static void write(const fs::path& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    void set(std::string_view name, std::string_view lines) const {
        write(root_ / "lessons" / (utf8Name(name) += ".txt"), lines);
    }
    void text(std::string_view name, std::string_view bytes) const {
        write(root_ / "txt" / utf8Name(name), bytes);
    }
    // A name read as UTF-8 on every system (Windows would read a narrow one
    // in its code page).
    static fs::path utf8Name(std::string_view name) {
        return {std::u8string(name.begin(), name.end())};
    }
    [[nodiscard]] const fs::path& root() const { return root_; }

  private:
    fs::path root_;
};

void allSets(const Places& at) {
    at.set("常用字前500", "的\n一\r\n是\n\n不\n");
    at.set("常用字中500", "甲\n");
    at.set("常用字后500", "乙\n");
    at.set("常用字1501-3500", "丙\n");
    at.set("常用词前500", "我们\n他们\n");
    at.set("常用词501-1500", "今天\n");
}

struct LibraryCase {
    const char* name;
    std::function<void(const Places&)> prepare;
    std::vector<std::u16string> listed;    // names, in order
    std::vector<const char16_t*> problems; // a part of each message
};

TEST(CourseLibrary, WhatTheLessonWindowLists) {
    const LibraryCase cases[] = {
        {"the sets, the bundled article, the user's texts by name",
         [](const Places& at) {
             allSets(at);
             at.text("b.txt", "乙文");
             at.text("a.txt", "甲文");
             at.text("notes.md", "不列出");
         },
         {u"常用字前500", u"常用字中500", u"常用字后500", u"常用字1501-3500", u"常用词前500",
          u"常用词501-1500", u"文档", u"a", u"b"},
         {}},
        {"a broken installation: sets missing, the article still there",
         [](const Places& at) {
             at.set("常用字前500", "的\n");
             at.text("a.txt", "甲");
         },
         {u"常用字前500", u"文档", u"a"},
         {u"常用字中500", u"常用字后500", u"常用字1501-3500", u"常用词前500", u"常用词501-1500"}},
        {"an empty user folder",
         [](const Places& at) { allSets(at); },
         {u"常用字前500", u"常用字中500", u"常用字后500", u"常用字1501-3500", u"常用词前500",
          u"常用词501-1500", u"文档"},
         {u"txt"}},
        {"a missing user folder",
         [](const Places& at) { fs::remove_all(at.root() / "txt"); },
         {u"文档"},
         {u"常用字前500", u"txt"}},
        {"a user text with nothing to practise",
         [](const Places& at) {
             at.text("empty.txt", "\n\r\n");
             at.text("ok.txt", "甲");
         },
         {u"文档", u"ok"},
         {u"empty：没有可练习的文字"}},
#ifndef _WIN32 // Windows' names are UTF-16: none is not UTF-8
        {"a name that is not UTF-8",
         [](const Places& at) {
             at.text("\xff.txt", "甲");
             at.text("ok.txt", "甲");
         },
         {u"文档", u"ok"},
         {u"不是有效的 UTF-8"}},
#endif
        {"a set that is not UTF-8",
         [](const Places& at) { at.set("常用字前500", "\xff\xfe\n"); },
         {u"文档"},
         {u"损坏"}},
        {"a thousand and one user texts: the first thousand listed",
         [](const Places& at) {
             for (int i = 0; i <= 1000; ++i) {
                 char name[16];
                 std::snprintf(name, sizeof name, "%04d.txt", i);
                 at.text(name, "甲乙");
             }
         },
         {},
         {u"只列出前 1000 篇"}},
    };
    for (const LibraryCase& c : cases) {
        const Places at;
        c.prepare(at);
        const Library library = readLibrary(at.places());
        if (!c.listed.empty()) {
            std::vector<std::u16string> names;
            for (const CourseText& text : library.texts) {
                names.push_back(text.name);
            }
            EXPECT_EQ(names, c.listed) << c.name;
        } else {
            EXPECT_EQ(library.texts.size(), kMaxUserTexts + 1) << c.name;
            EXPECT_EQ(library.texts.back().name, u"0999") << c.name;
        }
        for (const char16_t* problem : c.problems) {
            bool found = false;
            for (const std::u16string& message : library.problems) {
                found = found || message.find(problem) != std::u16string::npos;
            }
            EXPECT_TRUE(found) << c.name << ": a problem is not told";
        }
    }
}

TEST(CourseLibrary, ReadingATextToPractise) {
    const Places at;
    allSets(at);
    at.text("诗.txt", "床前明月光\n疑是地上霜\n");
    const Library library = readLibrary(at.places());

    const CourseText* set = findText(library, u"常用字前500");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->size, 4U);
    const CourseMaterial characters = readMaterial(*set);
    EXPECT_EQ(characters.entries, (std::vector<std::u16string>{u"的", u"一", u"是", u"不"}));
    EXPECT_TRUE(characters.shuffles);

    const CourseText* poem = findText(library, u"诗");
    ASSERT_NE(poem, nullptr);
    EXPECT_EQ(poem->size, 10U);
    const CourseMaterial article = readMaterial(*poem);
    EXPECT_FALSE(article.shuffles);
    EXPECT_EQ(article.entries.size(), 10U);
    EXPECT_EQ(article.entries[5], u"疑");

    EXPECT_EQ(findText(library, u"没有这一篇"), nullptr);

    // A file gone since the window listed it.
    fs::remove(at.root() / "txt" / u8"诗.txt");
    EXPECT_THROW((void)readMaterial(*poem), CourseError);
}

} // namespace
} // namespace keyloom
