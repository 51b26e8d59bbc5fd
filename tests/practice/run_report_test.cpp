// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The run's record and the report's figures, through the real handlers with
// a fake clock and the keystroke rules fed as a front end feeds them.
#include "practice/frm_report.h"
#include "practice/keystroke_counter.h"
#include "practice/run_figures.h"
#include "tests/practice/practice_fixture.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>

namespace keyloom::test {
namespace {

using namespace std::chrono_literals;

class RunReport : public PracticeFixture {
  protected:
    void SetUp() override {
        form.record().setClock([this] { return now; });
    }

  public:
    using PracticeFixture::backspace; // the handler alone, no key-down before it
    using PracticeFixture::box;
    using PracticeFixture::form;
    void at(double seconds) {
        now = std::chrono::nanoseconds(static_cast<std::int64_t>(seconds * 1e9));
    }
    // `keys` input-method keys (Windows' code 229), the last of which commits `text`.
    void pinyin(int keys, std::u16string_view text) {
        for (int i = 0; i < keys; ++i) {
            counter().keyDown(kKeyProcessedByIme, 0);
        }
        box.commit(text);
    }
    // One input-method key and its commit for each character, at each time.
    void typeEachAt(std::initializer_list<double> times, std::u16string_view text) {
        for (const double t : times) {
            at(t);
            pinyin(1, text.substr(0, 1));
            text.remove_prefix(1);
        }
    }
    void backspaceKey() {
        counter().keyDown(kKeyBack, 0);
        backspace();
    }
    [[nodiscard]] RunFigures figures() const { return computeFigures(form.record()); }

    std::chrono::nanoseconds now{};
    KeystrokeCounter& counter() { return *counter_; }
    // An empty record on the fake clock, and keystroke rules that have seen nothing.
    void freshRecord() {
        form.record() = RunRecord([this] { return now; });
        counter_.emplace(form.record());
    }

    std::optional<KeystrokeCounter> counter_{std::in_place, form.record()};
};

// The lesson of these runs: 200 distinct characters from 一 (U+4E00) on.
std::u16string lessonFrom(std::size_t position, std::size_t count) {
    return distinctLesson(200).substr(position, count);
}

struct FormulaCase {
    const char* name;
    std::function<void(RunReport&)> run;
    int characters, wrong, accuracy, speed, netSpeed;
    const char16_t* keysPerSecond; // as the result line shows it
    const char16_t* keysPerCharacter;
    int corrections;
    double phraseRate;
    const char16_t* line;
    const char16_t* phraseShown = nullptr; // 打词率 as the report shows it
};

const FormulaCase kFormulas[] = {
    {"nothing typed yet: every divisor is 0", [](RunReport&) {}, 0, 0, 0, 0, 0, u"0.00", u"0.00", 0,
     0, u"Keyloom 1.0 速度0字/分 击键0.00 码长0.00 回改0 正确率0‰ 字数0 错字0 用时0:00"},
    // 133 one-character commits over 127 s, 431 input-method keys and two
    // Backspaces that take a wrong character back; two more stay wrong.
    {"the card of a run",
     [](RunReport& r) {
         const std::u16string lesson = lessonFrom(0, 131);
         int commits = 0;
         for (std::size_t i = 0; i < lesson.size(); ++i) {
             if (i == 40 || i == 90) { // a wrong character, taken back
                 r.at(127.0 * commits++ / 132);
                 r.pinyin(3, u"错");
                 r.backspaceKey();
             }
             r.at(127.0 * commits / 132);
             r.pinyin(commits < 32 ? 4 : 3, i == 7 || i == 8 ? u"误" : lesson.substr(i, 1));
             ++commits;
         }
     },
     131, 2, 985, 62, 57, u"3.41", u"3.31", 2, 0,
     u"Keyloom 1.0 速度62字/分 击键3.41 码长3.31 回改2 正确率985‰ 字数131 错字2 用时2:07"},
    // 1 right of 16: 62.5‰; 16 characters in 6.4 minutes: 2.5 a minute;
    // 2 keys for 16 characters: 0.125.
    {"halves round to even",
     [](RunReport& r) {
         r.pinyin(1, lessonFrom(0, 1));
         r.at(384);
         r.pinyin(1, u"错错错错错错错错错错错错错错错");
     },
     16, 15, 62, 2, 0, u"0.01", u"0.12", 0, 15.0 / 16,
     u"Keyloom 1.0 速度2字/分 击键0.01 码长0.12 回改0 正确率62‰ 字数16 错字15 用时6:24", u"94%"},
    // 你好 is a phrase, ，。 two signs in one commit are not, nor is 。 in 中国。.
    {"phrases, punctuation and the net speed",
     [](RunReport& r) {
         r.pinyin(6, lessonFrom(0, 2));
         r.at(30);
         r.pinyin(1, u"，。");
         r.pinyin(1, lessonFrom(4, 1));
         r.at(60);
         r.pinyin(9, lessonFrom(5, 2) + u"。");
     },
     8, 3, 625, 8, 0, u"0.28", u"2.12", 0, 0.5,
     u"Keyloom 1.0 速度8字/分 击键0.28 码长2.12 回改0 正确率625‰ 字数8 错字3 用时1:00", u"50%"},
    {"the minutes do not wrap at an hour",
     [](RunReport& r) {
         r.pinyin(2, lessonFrom(0, 1));
         r.at(4503.9);
         r.pinyin(2, lessonFrom(1, 1));
     },
     2, 0, 1000, 0, 0, u"0.00", u"2.00", 0, 0,
     u"Keyloom 1.0 速度0字/分 击键0.00 码长2.00 回改0 正确率1000‰ 字数2 错字0 用时75:03"},
    // A commit with 、 or ASCII punctuation and one character is no phrase;
    // ASCII signs that are symbols (category S), not punctuation, are.
    {"、 and ASCII punctuation are not wording; ASCII symbols are",
     [](RunReport& r) {
         r.pinyin(1, u"、中");
         r.pinyin(1, u"!\"#%&'()*,-./:;?@[\\]_{}中");
         r.pinyin(1, u"$+<=>^`|~");
     },
     35, 35, 0, 0, 0, u"0.00", u"0.09", 0, 9.0 / 35,
     u"Keyloom 1.0 速度0字/分 击键0.00 码长0.09 回改0 正确率0‰ 字数35 错字35 用时0:00", u"26%"},
    // Two composition messages and no key-down of the input method's.
    {"an estimated count carries 约",
     [](RunReport& r) {
         r.counter().compositionMessage();
         r.counter().compositionMessage();
         r.at(10);
         r.box.commit(lessonFrom(0, 1));
     },
     1, 0, 1000, 6, 6, u"约0.20", u"约2.00", 0, 0,
     u"Keyloom 1.0 速度6字/分 击键约0.20 码长约2.00 回改0 正确率1000‰ 字数1 错字0 用时0:10"},
};

TEST_F(RunReport, FormulaTable) {
    for (const FormulaCase& c : kFormulas) {
        SCOPED_TRACE(c.name);
        restart();
        freshRecord();
        at(0);
        load(distinctLesson(200));
        c.run(*this);
        const RunFigures f = figures();
        EXPECT_EQ(f.characters, c.characters);
        EXPECT_EQ(f.characters, form.state().rightCount + form.state().wrongCount);
        EXPECT_EQ(f.wrong, c.wrong);
        EXPECT_EQ(f.accuracy, c.accuracy);
        EXPECT_EQ(f.speed, c.speed);
        EXPECT_EQ(f.netSpeed, c.netSpeed);
        EXPECT_EQ(f.corrections, c.corrections);
        EXPECT_DOUBLE_EQ(f.phraseRate, c.phraseRate);
        EXPECT_EQ(resultLine(f, u"Keyloom 1.0"), c.line);
        EXPECT_NE(resultLine(f, u"Keyloom 1.0").find(c.keysPerSecond), std::u16string::npos);
        EXPECT_NE(resultLine(f, u"Keyloom 1.0").find(c.keysPerCharacter), std::u16string::npos);
        if (c.phraseShown != nullptr) {
            const std::vector<FigureText> shown = figureTexts(f);
            const auto phrase = std::ranges::find(shown, u"打词率", &FigureText::name);
            ASSERT_NE(phrase, shown.end());
            EXPECT_EQ(phrase->value, c.phraseShown);
        }
    }
}

// Times, the wrong and slow characters and the drill over a run with
// Backspaces: each character's time runs from the standing commit before it,
// so a character taken back leaves its time to the next, and a phrase
// shares its time.
TEST_F(RunReport, WrongSlowAndDrill) {
    const std::u16string lesson = u"山水云雨风雪花草木石土沙";
    load(lesson);
    at(0);
    for (int i = 0; i < 4; ++i) {
        counter().keyDown(kKeyProcessedByIme, 0);
    }
    at(2);
    box.commit(u"山水"); // the first key at 0, 2 s: 1 s each
    at(3);
    pinyin(3, u"云");
    at(4);
    pinyin(3, u"语"); // wrong
    at(5);
    backspaceKey();
    at(6);
    pinyin(3, u"雨"); // 3 s after 云: 语's second is its own
    at(13);
    pinyin(2, u"风"); // 7 s: slow
    at(14);
    pinyin(3, u"雪");
    at(15);
    pinyin(3, u"华"); // wrong
    at(16);
    pinyin(3, u"草");
    at(17);
    pinyin(3, u"木");
    at(18);
    pinyin(3, u"华"); // wrong again, another reference
    at(19);
    pinyin(3, u"华");

    const RunFigures f = figures();
    EXPECT_EQ(f.characters, 11);
    EXPECT_EQ(f.wrong, 3);
    EXPECT_EQ(f.corrections, 1);
    EXPECT_EQ(f.keystrokes, 4 + 3 + 3 + 1 + 3 + 2 + 3 * 6);
    ASSERT_EQ(f.wrongCharacters.size(), 3U);
    EXPECT_EQ(wrongCharactersText(f, 2), u"花 → 华 ×1\n石 → 华 ×1\n另有 1 种");
    ASSERT_EQ(f.slowest.size(), 10U);
    EXPECT_EQ(f.slowest[0].character, U'风');
    EXPECT_DOUBLE_EQ(f.slowest[0].seconds, 7);
    EXPECT_EQ(f.slowest[1].character, U'雨');
    EXPECT_DOUBLE_EQ(f.slowest[1].seconds, 3);
    EXPECT_EQ(slowestText(f).substr(0, 7), u"风 7.0 秒");
    // Wrong 花, 石, 土 and slow 雨 and 风 (median 1 s); in the lesson's order.
    EXPECT_EQ(f.drill, u"雨雨雨风风风花花花石石石土土土");
    ASSERT_EQ(f.rowSpeeds.size(), 1U);
    // Every second of the typing time is some character's.
    EXPECT_DOUBLE_EQ(f.rowSpeeds[0], 11 / (19.0 / 60));
}

// Where a run's time goes and what its lists and drill show. Each row's
// characters' times sum to its typing time; the drill is each wrong or slow
// (more than twice the median and at least 1 s) lesson character, in the
// order it first appears in the lesson, three times.
struct ListsCase {
    const char* name;
    const char16_t* lesson;
    std::function<void(RunReport&)> run;
    std::vector<double> seconds; // each standing character's time
    const char16_t* wrong;       // the wrong characters as the report lists them
    const char16_t* slowest;     // the slowest character's line
    const char16_t* drill;
    const char16_t* drillTip;
};

constexpr const char16_t* kNothingToDrill = u"没有打错或打得慢的字，无需练习";

const ListsCase kLists[] = {
    {"a character taken back leaves its time to the one typed after it",
     u"春天来了。",
     [](RunReport& r) {
         r.counter().keyDown(kKeyProcessedByIme, 0);
         r.at(1);
         r.box.commit(u"春");
         r.at(4);
         r.pinyin(4, u"天");
         r.at(4.5);
         r.backspaceKey();
         r.at(5.2);
         r.pinyin(4, u"天");
         r.at(6);
         r.pinyin(3, u"来");
         r.at(7);
         r.pinyin(2, u"了");
     },
     {1, 4.2, 0.8, 1},
     u"没有错字",
     u"天 4.2 秒",
     u"天天天",
     u""},
    {"a phrase shares its time; part of it taken back leaves its share",
     u"甲乙丙",
     [](RunReport& r) {
         r.counter().keyDown(kKeyProcessedByIme, 0);
         r.at(2);
         r.box.commit(u"甲乙"); // 1 s each
         r.at(3);
         r.backspace(); // the commit stays, 乙's second goes on
         r.at(3.5);
         r.box.commit(u"乙"); // after a Backspace: a commit of its own
     },
     {1, 2.5},
     u"没有错字",
     u"乙 2.5 秒",
     u"",
     kNothingToDrill},
    {"the drill in the lesson's order, not the typing's",
     u"他我他",
     [](RunReport& r) {
         r.pinyin(2, u"他");
         r.at(0.5);
         r.pinyin(2, u"你");
         r.at(1);
         r.pinyin(2, u"你");
     },
     {0, 0.5, 0.5},
     u"我 → 你 ×1\n他 → 你 ×1",
     u"我 0.5 秒",
     u"他他他我我我",
     u""},
    {"wrong characters by count, then by place; beyond the BMP",
     u"\U00020001乙丙乙",
     [](RunReport& r) {
         r.pinyin(2, u"\U00020000");
         r.pinyin(2, u"错");
         r.pinyin(2, u"丙");
         r.pinyin(2, u"错");
     },
     {0, 0, 0, 0},
     u"乙 → 错 ×2\n\U00020001 → \U00020000 ×1",
     u"\U00020001 0.0 秒",
     u"\U00020001\U00020001\U00020001乙乙乙",
     u""},
    {"slow is at least 1 s, however quick the rest",
     u"甲乙丙丁",
     [](RunReport& r) {
         r.counter().keyDown(kKeyProcessedByIme, 0);
         r.typeEachAt({0.1, 0.2, 0.3, 0.9}, u"甲乙丙丁");
     },
     {0.1, 0.1, 0.1, 0.6},
     u"没有错字",
     u"丁 0.6 秒",
     u"",
     kNothingToDrill},
    // Median (1 + 3) / 2: 4.5 s is slow, 3 s is not.
    {"the median of an even count is the mean of the middle two",
     u"甲乙丙丁",
     [](RunReport& r) {
         r.counter().keyDown(kKeyProcessedByIme, 0);
         r.typeEachAt({1, 2, 5, 9.5}, u"甲乙丙丁");
     },
     {1, 1, 3, 4.5},
     u"没有错字",
     u"丁 4.5 秒",
     u"丁丁丁",
     u""},
    {"typed past the lesson's end: listed, slow, and nothing to drill",
     u"山",
     [](RunReport& r) {
         r.at(0.2);
         r.pinyin(2, u"山");
         r.at(5);
         r.pinyin(2, u"雨");
     },
     {0, 4.8},
     u"(文末) → 雨 ×1",
     u"雨 4.8 秒",
     u"",
     u"错字都在课文之后（文末），没有课文里的字可练"},
    {"a clock that started long before the run",
     u"山水",
     [](RunReport& r) {
         r.at(86400.0 * 30);
         r.counter().keyDown(kKeyProcessedByIme, 0);
         r.at(86400.0 * 30 + 2);
         r.box.commit(u"山");
         r.at(86400.0 * 30 + 3);
         r.pinyin(1, u"水");
     },
     {2, 1},
     u"没有错字",
     u"山 2.0 秒",
     u"",
     kNothingToDrill},
    {"the record stops at the 32,767 characters a run can score", u"甲",
     [](RunReport& r) {
         for (int i = 0; i < 32767 + 2; ++i) {
             r.form.record().score(U'甲', U'甲');
         }
     },
     std::vector<double>(32767, 0.0), u"没有错字", u"甲 0.0 秒", u"", kNothingToDrill},
};

TEST_F(RunReport, ListsTable) {
    for (const ListsCase& c : kLists) {
        SCOPED_TRACE(c.name);
        restart();
        freshRecord();
        at(0);
        load(c.lesson);
        c.run(*this);
        const std::vector<double> seconds = characterSeconds(form.record());
        ASSERT_EQ(seconds.size(), c.seconds.size());
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            EXPECT_NEAR(seconds[i], c.seconds[i], 1e-9) << "character " << i;
        }
        const double sum = std::accumulate(c.seconds.begin(), c.seconds.end(), 0.0);
        EXPECT_NEAR(figures().typingSeconds, sum, 1e-9);
        const ReportContent report = loadReport(form.record());
        EXPECT_EQ(report.wrong, c.wrong);
        EXPECT_EQ(report.slowest.substr(0, report.slowest.find(u'\n')), c.slowest);
        EXPECT_EQ(report.drill, c.drill);
        EXPECT_EQ(report.drillTip, c.drillTip);
    }
}

TEST_F(RunReport, TypingPastTheLessonsEnd) {
    load(u"山水云");
    at(0);
    pinyin(2, u"山水云雨风");
    at(10);
    backspaceKey();
    const RunFigures f = figures();
    EXPECT_EQ(f.characters, 4);
    EXPECT_EQ(f.wrong, 1);
    EXPECT_EQ(wrongCharactersText(f, 5), u"(文末) → 雨 ×1");
    EXPECT_EQ(f.drill, u""); // nothing to practise past the end
    EXPECT_EQ(f.slowest.front().character, U'山');
    // Typing time ends at the newest commit, not at the Backspace.
    EXPECT_EQ(f.typingSeconds, 0);
}

// Rows of 44 characters: the second row typed at half the speed.
TEST_F(RunReport, SpeedOfEachRow) {
    load(distinctLesson(100));
    counter().keyDown(kKeyProcessedByIme, 0);
    for (int i = 0; i < 88 + 5; ++i) {
        at(i < 44 ? i + 1 : 44 + 2.0 * (i - 43));
        counter().keyDown(kKeyProcessedByIme, 0);
        typeRight(1);
    }
    const RunFigures f = figures();
    ASSERT_EQ(f.rowSpeeds.size(), 3U);
    EXPECT_NEAR(f.rowSpeeds[0], 60, 1e-9);
    EXPECT_NEAR(f.rowSpeeds[1], 30, 1e-9);
    EXPECT_NEAR(f.rowSpeeds[2], 30, 1e-9);
}

// A run's 32,767 characters fill the record; it stays under 1 MB and stops
// there, as the marks do.
TEST_F(RunReport, ThirtyTwoThousandCharacters) {
    load(distinctLesson(32780));
    for (int i = 0; i < 32767 + 3; ++i) {
        at(i * 0.5);
        counter().keyDown(kKeyProcessedByIme, 0);
        typeRight(1);
    }
    EXPECT_EQ(form.state().typedCount, 32767);
    EXPECT_EQ(form.record().characters().size(), 32767U);
    EXPECT_LT(form.record().memoryBytes(), 1024U * 1024U);
    const RunFigures f = figures();
    EXPECT_EQ(f.characters, 32767);
    EXPECT_EQ(f.speed, 120);
    EXPECT_EQ(f.rowSpeeds.size(), 745U);
    backspaceKey();
    EXPECT_EQ(computeFigures(form.record()).characters, 32766);
}

// Keystroke rules: what each front end reports, and what counts.
struct KeystrokeCase {
    const char* name;
    std::function<void(KeystrokeCounter&)> events;
    std::int64_t counted;
    bool estimated;
};

void linuxPinyin(KeystrokeCounter& k, std::u16string_view letters, std::u16string_view commit) {
    std::u16string preedit;
    for (const char16_t letter : letters) {
        preedit.push_back(letter);
        k.inputMethodEvent(preedit, u"");
    }
    k.inputMethodEvent(u"", commit); // the space
    k.inputMethodEvent(u"", u"");    // the empty composition after it
}

const KeystrokeCase kKeystrokes[] = {
    {"key-downs and auto-repeat count; modifiers, F-keys and Ctrl+O do not",
     [](KeystrokeCounter& k) {
         for (const int key : {8, 8, 8, 13, 27, 188, 65, 229}) {
             k.keyDown(static_cast<Counter>(key), 0);
         }
         for (const int key : {16, 17, 18, 20, 91, 144, 160, 165, 0, 112, 113, 123}) {
             k.keyDown(static_cast<Counter>(key), 0);
         }
         k.keyDown(79, kCtrlMask);
         k.keyDown(79, kShiftMask); // a plain O
     },
     9, false},
    // xdotool, remote input and on-screen keyboards type a character whose
    // keysym the layout lacks: a key-down with no code.
    {"a key without a code counts when it types, not when it is AltGr",
     [](KeystrokeCounter& k) {
         k.keyDown(0, 0, true);
         k.keyDown(0, kShiftMask, true);
         k.keyDown(0, 0, false);
     },
     2, false},
    {"Linux pinyin: each composition change and each commit, once",
     [](KeystrokeCounter& k) {
         linuxPinyin(k, u"zhongguo", u"中国");
         k.inputMethodEvent(u"", u"，"); // the comma key
         k.inputMethodEvent(u"n", u"");  // n
         k.inputMethodEvent(u"ni", u""); // i
         k.inputMethodEvent(u"ni", u""); // paging: unseen
         k.inputMethodEvent(u"n", u"");  // Backspace inside
         k.inputMethodEvent(u"", u"");   // Escape
         k.keyDown(8, 0);                // Backspace outside
         k.inputMethodEvent(u"wo", u""); // w o in one event
         k.inputMethodEvent(u"", u"我"); // 1 picks a candidate
     },
     9 + 1 + 5 + 1 + 1 + 1, false},
    // fcitx5 wbx, 中国你好，: khlg, w commits 中国 and opens its own code,
    // wqvb, the comma key commits 你好 and types ，. A commit and the next
    // key's composition, or a sign typed after it, come apart.
    {"Wubi's 顶字: the committing key's own composition or sign is one key with it",
     [](KeystrokeCounter& k) {
         for (const std::u16string_view code : {u"k", u"kh", u"khl", u"khlg"}) {
             k.inputMethodEvent(code, u"");
         }
         k.inputMethodEvent(u"", u"中国");
         k.inputMethodEvent(u"w", u"", true);
         for (const std::u16string_view code : {u"wq", u"wqv", u"wqvb"}) {
             k.inputMethodEvent(code, u"", true); // quick keys: no commit before them
         }
         k.inputMethodEvent(u"", u"你好");
         k.inputMethodEvent(u"", u"，", true);
         k.inputMethodEvent(u"", u"。"); // the period key, apart
         k.inputMethodEvent(u"t", u"");
     },
     9 + 2, false},
    {"IBus: a key that leaves the composition's text as it was",
     [](KeystrokeCounter& k) {
         k.inputMethodEvent(u"", u"");   // the box gets the focus
         k.inputMethodEvent(u"他", u""); // t
         k.inputMethodEvent(u"他", u""); // a
         k.inputMethodEvent(u"", u"他"); // space
         k.inputMethodEvent(u"", u"");
         k.inputMethodEvent(u"总", u""); // z
         k.compositionAbandoned();       // F2
         k.inputMethodEvent(u"", u"");
     },
     4, false},
    {"Windows: composition messages after key 229 add nothing",
     [](KeystrokeCounter& k) {
         for (int i = 0; i < 6; ++i) {
             k.keyDown(229, 0);
             k.compositionMessage();
         }
         k.compositionMessage(); // a second message for the same key
     },
     6, false},
    {"Wine's XIM path: composition messages without keys, an estimate",
     [](KeystrokeCounter& k) {
         k.compositionMessage();
         k.compositionMessage();
         k.keyDown(8, 0);
     },
     3, true},
};

TEST(KeystrokeRules, Table) {
    for (const KeystrokeCase& c : kKeystrokes) {
        SCOPED_TRACE(c.name);
        RunRecord record;
        KeystrokeCounter counter(record);
        c.events(counter);
        EXPECT_EQ(record.keystrokes(), c.counted);
        EXPECT_EQ(record.keystrokesEstimated(), c.estimated);
    }
}

} // namespace
} // namespace keyloom::test
