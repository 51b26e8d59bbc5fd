// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/error_traps.h"
#include "practice/frm_main.h"
#include "practice/marks.h"
#include "practice/ring.h"
#include "text/code_points.h"

namespace keyloom {
namespace {

// At this column of a row the rings move on.
constexpr Counter kAdvanceColumn = 38;
constexpr Counter kFillOffset = 4;  // the empty reference row that gets the next line
constexpr Counter kClearOffset = 5; // the reference row three behind, emptied
constexpr Counter kWrapRow = 5;     // from a row above this the typed ring has wrapped
constexpr Counter kTypedClearOffset = 2;
// The marks of the row just emptied (and the last one of the row before):
// typedCount - 170 to typedCount - 126.
constexpr Counter kMarkWindowLow = 3 * kRowWidth + kAdvanceColumn;
constexpr Counter kMarkWindowHigh = 2 * kRowWidth + kAdvanceColumn;

Counter ringRow(Counter row, Counter offset) {
    return static_cast<Counter>(checkedAdd(row, offset) % kRingSize);
}

} // namespace

void FrmMain::txtType_Change() {
    Counter caret = 0;
    skipOnError([&] { caret = toCounter(c_.txtType.selStart); });
    s_.curRow = ringRowAt(s_.typedCount);
    s_.curCol = columnAt(s_.typedCount);
    if (caret == 0 || s_.skipChange == kTrue) {
        return;
    }

    if (c_.lblEgg[ringRow(s_.curRow, kFillOffset)].caption.empty() && s_.curCol == kAdvanceColumn &&
        !c_.lblEgg[ringRow(s_.curRow, kClearOffset)].caption.empty()) {
        advanceReferenceRing();
    }
    if (s_.curRow > kWrapRow && s_.curCol == kAdvanceColumn) {
        s_.ringWrapped = kTrue;
    }
    if (s_.ringWrapped == kTrue) {
        c_.lblType[ringRow(s_.curRow, kTypedClearOffset)].caption.clear();
    }
    skipOnError([&] {
        if (c_.txtType.text.empty()) {
            throw MissingElementError(0); // no character to echo
        }
        const std::u16string_view text = c_.txtType.text;
        c_.lblType[s_.curRow].caption.append(text.substr(text.size() - unitsOfLast(text)));
    });
    skipOnError([&] { s_.typedCount = checkedAdd(s_.typedCount, 1); });
    c_.lblOK.create(s_.typedCount);
    scoreNewestCharacter();
}

void FrmMain::advanceReferenceRing() {
    c_.lblEgg[ringRow(s_.curRow, kClearOffset)].caption.clear();
    const int low = s_.typedCount - kMarkWindowLow;
    const int high = s_.typedCount - kMarkWindowHigh;
    for (int k = low; k <= high; ++k) {
        if (k != 0 && c_.lblOK.exists(k)) {
            c_.lblOK.destroy(k);
        }
    }
    Label& fillRow = c_.lblEgg[ringRow(s_.curRow, kFillOffset)];
    skipOnError([&] { fillRow.caption = lessonLine(s_.lessonText, s_.nextLine); });
    skipOnError([&] { s_.nextLine = checkedAdd(s_.nextLine, 1); });
}

void FrmMain::scoreNewestCharacter() {
    const std::u16string& typedRow = c_.lblType[s_.curRow].caption;
    const std::u16string& referenceRow = c_.lblEgg[s_.curRow].caption;
    const std::size_t column = codePointCount(typedRow); // 1-based column of the echo
    std::u16string reference;
    if (column >= 1) {
        reference = codePointSlice(referenceRow, column - 1, 1);
    }
    const std::u16string_view typed = codePointSlice(typedRow, column - 1, 1);
    const bool right = !reference.empty() && typed == reference;
    if (column >= 1) {
        record_.score(reference.empty() ? RunRecord::kNoReference : firstCodePoint(reference),
                      firstCodePoint(typed));
    }

    Label& mark = c_.lblOK[s_.typedCount];
    if (right) {
        mark.backColor = kRightColour;
        mark.tag = kRightTag;
        skipOnError([&] { s_.rightCount = checkedAdd(s_.rightCount, 1); });
        c_.lblTrue.caption = kRightCaption + decimalText(s_.rightCount);
    } else {
        mark.backColor = kWrongColour;
        mark.tag = kWrongTag;
        skipOnError([&] { s_.wrongCount = checkedAdd(s_.wrongCount, 1); });
        c_.lblFalse.caption = kWrongCaption + decimalText(s_.wrongCount);
    }
    showAccuracy();
    placeMarkAndCaret(reference);
}

void FrmMain::showAccuracy() {
    skipOnError([&] {
        const Counter total = checkedAdd(s_.rightCount, s_.wrongCount);
        s_.accuracy = roundToCounter(checkedDivide(s_.rightCount, total) * 1000);
    });
    c_.lblTF.caption = decimalText(s_.accuracy);
}

void FrmMain::placeMarkAndCaret(const std::u16string& reference) {
    Label& mark = c_.lblOK[s_.typedCount];
    if (s_.typedCount % kRowWidth == 1) {
        mark.left = kRowLeft;
    } else {
        // The mark before it may be gone; the new one then keeps its Left.
        skipOnError([&] { mark.left = rightEdge(c_.lblOK[s_.typedCount - 1]); });
    }
    mark.top = s_.typedCount <= kRowWidth ? 0 : c_.lblEgg[s_.curRow].top;
    mark.caption = reference;
    mark.autoSize = true;
    mark.width = measure_.width(mark.caption, mark.font);
    mark.visible = true;

    LineShape& caret = c_.Line1;
    caret.x1 = caret.x2 = rightEdge(mark);
    caret.y1 = mark.top;
    caret.y2 = mark.top + kCaretHeight;
    if (s_.typedCount % kRowWidth == 0) {
        const Label& nextRow = c_.lblType[ringRow(s_.curRow, 1)];
        caret.x1 = caret.x2 = nextRow.left - 1;
        caret.y1 = nextRow.top;
        caret.y2 = nextRow.top + kCaretHeight;
    }
}

} // namespace keyloom
