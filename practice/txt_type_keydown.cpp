// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/frm_main.h"
#include "practice/marks.h"
#include "practice/ring.h"
#include "text/code_points.h"

namespace keyloom {
namespace {

// Keys that would type a letter, a digit or a space straight into the box,
// and the navigation keys among them, lock it.
constexpr Counter kFirstLockedKey = 32;
constexpr Counter kLastLockedKey = 127;

} // namespace

void FrmMain::txtType_KeyDown(Counter keyCode, Counter /*shift*/) {
    s_.curRow = ringRowAt(checkedSub(s_.typedCount, 1));
    if (keyCode == kKeyBack && !c_.txtType.text.empty()) {
        if (!canTakeBack()) {
            // Nothing the rings still show can be taken back: the Backspace
            // meets a locked box and the score stands.
            s_.skipChange = kTrue;
            c_.txtType.locked = true;
            return;
        }
        takeBackNewestCharacter();
    } else {
        s_.skipChange = kFalse;
    }
    c_.txtType.locked = keyCode >= kFirstLockedKey && keyCode <= kLastLockedKey;
}

bool FrmMain::canTakeBack() const {
    return c_.lblOK.count() > 1 && s_.typedCount >= 1 && c_.lblOK.exists(s_.typedCount) &&
           !c_.lblType[s_.curRow].caption.empty();
}

void FrmMain::takeBackNewestCharacter() {
    c_.txtType.locked = false;
    const std::u16string tag = c_.lblOK[s_.typedCount].tag;
    if (tag == kRightTag) {
        s_.rightCount = checkedSub(s_.rightCount, 1);
        c_.lblTrue.caption = kRightCaption + decimalText(s_.rightCount);
    } else if (tag == kWrongTag) {
        s_.wrongCount = checkedSub(s_.wrongCount, 1);
        c_.lblFalse.caption = kWrongCaption + decimalText(s_.wrongCount);
    }
    c_.lblOK.destroy(s_.typedCount);
    record_.takeBack();
    s_.typedCount = checkedSub(s_.typedCount, 1);
    s_.skipChange = kTrue;

    Label& row = c_.lblType[s_.curRow];
    row.caption.resize(row.caption.size() - unitsOfLast(row.caption));
    LineShape& caret = c_.Line1;
    if (row.caption.empty()) {
        caret.x1 = caret.x2 = row.left - 1;
        caret.y1 = row.top;
    } else {
        const Label& newest = c_.lblOK[s_.typedCount];
        caret.x1 = caret.x2 = rightEdge(newest);
        caret.y1 = newest.top;
    }
    caret.y2 = caret.y1 + kCaretHeight;

    if (s_.rightCount != 0 || s_.wrongCount != 0) {
        // Once the box has been emptied, the counts can outgrow typedCount and
        // their sum 16 bits; the accuracy then keeps its value, as when a
        // character is scored, instead of ending the program.
        showAccuracy();
    }
}

} // namespace keyloom
