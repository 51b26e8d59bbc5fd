// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/practice/practice_fixture.h"

namespace keyloom::test {
namespace {

class Timers : public PracticeFixture {
  protected:
    void tick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            form.Timer1_Timer();
        }
    }
};

TEST_F(Timers, ClockShowsMinutesAndSecondsModuloAnHour) {
    load(distinctLesson(100));
    tick(1);
    EXPECT_EQ(controls.lblTime.caption, u"00:01");
    EXPECT_TRUE(controls.lblSudu.caption.empty()) << "nothing typed: no speed yet";
    struct Case {
        Counter seconds;
        const char16_t* shown;
    };
    for (const Case c : {Case{75, u"01:15"}, Case{3600, u"00:00"}, Case{3725, u"02:05"}}) {
        form.state().elapsedSeconds = static_cast<Counter>(c.seconds - 1);
        tick(1);
        EXPECT_EQ(controls.lblTime.caption, c.shown) << c.seconds;
    }
}

TEST_F(Timers, SpeedRoundsHalfToEven) {
    struct Case {
        int characters;
        Counter seconds;
        const char16_t* shown;
    };
    for (const Case c : {Case{10, 30, u"20"}, Case{1, 24, u"2"}, Case{1, 8, u"8"}}) {
        restart();
        load(distinctLesson(100));
        typeWrong(c.characters);
        form.state().elapsedSeconds = static_cast<Counter>(c.seconds - 1);
        form.Timer1_Timer();
        EXPECT_EQ(controls.lblSudu.caption, c.shown) << c.characters << " in " << c.seconds;
    }
}

TEST_F(Timers, SpeedKeepsItsLastValueWhenEverythingIsTakenBack) {
    load(distinctLesson(100));
    typeRight(3);
    tick(6);
    EXPECT_EQ(controls.lblSudu.caption, u"30");
    typeRight(3);
    EXPECT_EQ(controls.lblSudu.caption, u"30") << "only a tick recomputes the speed";
    for (int i = 0; i < 6; ++i) {
        backspace();
    }
    tick(1);
    EXPECT_EQ(controls.lblTime.caption, u"00:07");
    EXPECT_EQ(controls.lblSudu.caption, u"30");
}

TEST_F(Timers, ClockStopsAtTheLimit) {
    load(distinctLesson(100));
    typeRight(1);
    form.state().elapsedSeconds = 32766;
    tick(1);
    EXPECT_EQ(controls.lblTime.caption, u"06:07");
    const std::u16string speed = controls.lblSudu.caption;
    typeRight(5);
    tick(3);
    EXPECT_EQ(form.state().elapsedSeconds, 32767);
    EXPECT_EQ(controls.lblTime.caption, u"06:07");
    EXPECT_EQ(controls.lblSudu.caption, speed);
}

TEST_F(Timers, ASpeedBeyond16BitsKeepsThePreviousOne) {
    load(distinctLesson(2000));
    typeRight(600);
    tick(1); // 36,000 a minute does not fit
    EXPECT_EQ(controls.lblTime.caption, u"00:01");
    EXPECT_TRUE(controls.lblSudu.caption.empty());
}

TEST_F(Timers, CaretBlinks) {
    load(distinctLesson(100));
    ASSERT_TRUE(controls.Line1.visible);
    form.Timer2_Timer();
    EXPECT_FALSE(controls.Line1.visible);
    form.Timer2_Timer();
    EXPECT_TRUE(controls.Line1.visible);
}

} // namespace
} // namespace keyloom::test
