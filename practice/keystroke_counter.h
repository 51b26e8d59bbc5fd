// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/counter.h"
#include "practice/run_record.h"

#include <string_view>

namespace keyloom {

// Which keystrokes count, over the events the typing box receives; each
// event also ends the commit before it. Key-downs count, with their
// auto-repeats, but not a modifier alone, F1 to F12 or the program's own
// shortcuts. Where the input method takes its keys before the box sees them
// (Linux), each input-method event that shows, changes, empties or commits
// a composition counts; the empty composition after a commit does not, nor
// does what the committing key itself goes on to do: the next code it opens
// (Wubi's 顶字上屏) or the sign it types (a punctuation key that ends a
// composition) is one key with the commit.
// Where its keys arrive as key-downs of code 229 (Windows), composition
// messages add nothing; where none has arrived (Wine's XIM path), each
// composition message counts once and makes the count an estimate.
class KeystrokeCounter {
  public:
    explicit KeystrokeCounter(RunRecord& record) : record_(record) {}

    // A key-down with its virtual-key code (0: none) and shift state (1
    // Shift, 2 Ctrl, 4 Alt), and whether it types text. A key without a
    // code is a modifier unless it types: a character whose keysym the
    // layout lacks, as remote input and on-screen keyboards send.
    void keyDown(Counter keyCode, Counter shift, bool typesText = false);
    // An input-method event: the composition it leaves and what it commits.
    // `sameKeyAsBefore`: it arrived together with the input-method event
    // before it, in one pass of the front end's event loop, the answer to
    // one key.
    void inputMethodEvent(std::u16string_view preedit, std::u16string_view commit,
                          bool sameKeyAsBefore = false);
    // The program dropped the open composition: the input method's answer
    // to that is nobody's keystroke.
    void compositionAbandoned();
    // A composition message: the composition changed or its result arrived.
    void compositionMessage();

  private:
    RunRecord& record_;
    bool composing_ = false;
    bool committed_ = false; // the input-method event before committed
    bool imeKeysArrive_ = false;
};

// Whether a key-down counts as a keystroke.
bool countsAsKeystroke(Counter keyCode, Counter shift);

} // namespace keyloom
