// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's handlers on arbitrary event sequences: key-downs of any
// code and shift state, input-method commits, changes with any caret, text
// edits, clock and caret ticks, Backspace storms and long typing runs. Keys,
// commits and Backspace go through the typing box's real rules, and through
// the keystroke rules to the run's record as a front end feeds them, on a
// clock that started long before the run and moves with every event; after
// every event the run's invariants must hold, and no error may escape a
// handler.
#include "forms/frm_main_design.h"
#include "fuzz/byte_reader.h"
#include "practice/frm_main.h"
#include "practice/keystroke_counter.h"
#include "tests/support/fixed_measure.h"
#include "tests/support/lesson_folder.h"
#include "tests/support/practice_invariants.h"
#include "tests/support/rules_box.h"
#include "text/code_points.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace keyloom::fuzz {
namespace {

// Lessons around the ring's edges: none, shorter than a row, shorter than
// the seven rows shown at load, a little longer, long, and longer than can
// ever be shown.
constexpr std::array<std::size_t, 7> kLessonLengths{0, 1, 100, 308, 353, 1000, 33000};

// Characters a user may type besides the right one: ASCII, full-width
// punctuation, a lone surrogate, NUL, the replacement character.
constexpr std::u16string_view kOtherCharacters{u"?aA，。中\xFFFD\xD800\0x 字", 12};

// The lesson files, written once for the whole fuzzing process and removed
// when it exits.
class Lessons {
  public:
    Lessons() {
        for (std::size_t i = 0; i < kLessonLengths.size(); ++i) {
            folders_[i].write(lessonOfLength(kLessonLengths[i]));
        }
    }

    [[nodiscard]] std::filesystem::path pick(std::uint8_t choice) const {
        return folders_[choice % folders_.size()].lessonFile();
    }

  private:
    // Mostly distinct full-width characters, some ASCII, some beyond the
    // BMP, a line break now and then that the loader drops.
    static std::u16string lessonOfLength(std::size_t length) {
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i) {
            if (i % 11 == 5) {
                text += u"\U00020000";
                text.back() = static_cast<char16_t>(0xDC00 + i % 1024);
                continue;
            }
            text.push_back(i % 7 == 3 ? static_cast<char16_t>(u'a' + i % 26)
                                      : static_cast<char16_t>(0x4E00 + i % 20000));
            if (i % 50 == 49) {
                text += u"\r\n";
            }
        }
        return text;
    }

    std::array<test::LessonFolder, kLessonLengths.size()> folders_;
};

[[noreturn]] void finding(const std::string& what) {
    std::fprintf(stderr, "broken: %s\n", what.c_str());
    std::abort();
}

// Enough for a run to the counters' limits and a clock run out, yet a bound
// on the time one input takes.
constexpr int kMaxEvents = 70000;

using namespace std::chrono_literals;
constexpr std::chrono::nanoseconds kClockAtStart = 90 * 24h;
constexpr std::chrono::nanoseconds kEventTime = 37ms;
constexpr std::chrono::nanoseconds kCaretBlink = 500ms;

bool isPunctuationKey(int code) {
    return (code >= 186 && code <= 192) || (code >= 219 && code <= 222);
}

class Run {
  public:
    Run(ByteReader& in, const std::filesystem::path& lesson) : in_(in) {
        form_.record().setClock([this] { return now_; });
        form_.Form_Load(lesson);
        std::u16string_view rest = form_.state().lessonText;
        while (!rest.empty()) {
            const std::size_t units = unitsOfFirst(rest, 1);
            characters_.push_back(rest.substr(0, units));
            rest.remove_prefix(units);
        }
    }

    void play() {
        while (!in_.done() && events_ < kMaxEvents) {
            playOneEvent();
            checkNow(true);
        }
        checkNow(true);
    }

  private:
    void playOneEvent() {
        switch (in_.byte() % 10) {
        case 0: keyDown(static_cast<Counter>(in_.word()), static_cast<Counter>(in_.word())); break;
        case 1: commitEach(1 + in_.byte() % 4); break;
        case 2: commitTogether(1 + in_.byte() % 4); break;
        case 3: change(in_.dword()); break;
        case 4: edit(); break;
        case 5:
            repeat(1 + in_.byte() * 129, [this] {
                now_ += 1s;
                form_.Timer1_Timer();
            });
            break;
        case 6:
            repeat(1 + in_.byte(), [this] {
                now_ += kCaretBlink;
                form_.Timer2_Timer();
            });
            break;
        case 7: repeat(1 + in_.byte(), [this] { backspace(); }); break;
        case 8: typeRun(1 + in_.byte() * 4, in_.byte()); break;
        default: typeRun(in_.byte() * 130, in_.byte()); break;
        }
    }

    template <class Event> void repeat(int times, Event event) {
        for (int i = 0; i < times && events_ < kMaxEvents; ++i) {
            event();
            checkNow(false);
        }
    }

    // The character picked by `choice`: below 128 the right one.
    [[nodiscard]] std::u16string_view character(std::uint8_t choice) const {
        if (choice < 128) {
            const auto next = static_cast<std::size_t>(form_.state().typedCount);
            return next < characters_.size() ? characters_[next] : u"x";
        }
        return kOtherCharacters.substr(choice % kOtherCharacters.size(), 1);
    }

    void caretToEnd() { box().selStart = static_cast<long long>(codePointCount(box().text)); }

    // Any key, typing a sign or a character; the box's lock decides.
    void keyDown(Counter code, Counter shift) {
        keystrokes_.keyDown(code, shift);
        typing_.key(code, isPunctuationKey(code) ? u"," : character(in_.byte()), shift);
    }

    void commitOne(std::u16string_view character) {
        keystrokes_.inputMethodEvent(u"", character);
        typing_.commit(character);
    }

    void commitEach(int count) {
        for (int i = 0; i < count; ++i) {
            commitOne(character(in_.byte()));
            checkNow(false);
        }
    }

    // A phrase committed at once: one change for all its characters.
    void commitTogether(int count) {
        keystrokes_.keyDown(kKeyProcessedByIme, 0);
        form_.txtType_KeyDown(kKeyProcessedByIme, 0);
        for (int i = 0; i < count; ++i) {
            box().text.append(character(in_.byte()));
        }
        caretToEnd();
        form_.txtType_Change();
    }

    void change(std::uint32_t caret) {
        box().selStart = caret;
        form_.txtType_Change();
    }

    void edit() {
        std::u16string& text = box().text;
        const std::size_t at = in_.word() % (text.size() + 1);
        switch (in_.byte() % 4) {
        case 0: text.insert(at, character(in_.byte())); break;
        case 1:
            if (at < text.size()) {
                text.erase(at, 1 + in_.byte() % 8);
            }
            break;
        case 2: text.clear(); break;
        default: text.assign(character(in_.byte())); break;
        }
        box().selStart = static_cast<long long>(in_.word() % (text.size() + 1));
        form_.txtType_Change();
    }

    void backspace() {
        keystrokes_.keyDown(kKeyBack, 0);
        typing_.backspace();
    }

    // A stretch of typing, one character in `wrongRate` out of 256 wrong.
    void typeRun(int count, std::uint8_t wrongRate) {
        for (int i = 0; i < count && events_ < kMaxEvents; ++i) {
            const bool wrong = static_cast<std::uint8_t>(i * 97) < wrongRate;
            commitOne(wrong ? u"?" : character(0));
            checkNow(false);
        }
    }

    void checkNow(bool allMarks) {
        ++events_;
        now_ += kEventTime;
        if (const std::string problem = invariants_.check(allMarks); !problem.empty()) {
            finding(problem);
        }
    }

    TextBox& box() { return controls_.txtType; }

    ByteReader& in_;
    std::vector<std::u16string_view> characters_; // the lesson's, one code point each
    int events_ = 0;
    std::chrono::nanoseconds now_ = kClockAtStart;
    FixedMeasure measure_;
    MainControls controls_ = frmMainControls();
    FrmMain form_{controls_, measure_};
    PracticeInvariants invariants_{controls_, form_};
    test::RulesBox typing_{form_, controls_.txtType};
    KeystrokeCounter keystrokes_{form_.record()};
};

} // namespace
} // namespace keyloom::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const keyloom::fuzz::Lessons lessons;
    keyloom::fuzz::ByteReader in(data, size);
    try {
        keyloom::fuzz::Run run(in, lessons.pick(in.byte()));
        run.play();
    } catch (const std::exception& error) {
        // No handler of these events ends the program by the rules.
        keyloom::fuzz::finding(std::string("an error escaped: ") + error.what());
    }
    return 0;
}
