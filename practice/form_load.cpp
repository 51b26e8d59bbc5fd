// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "practice/ring.h"

namespace keyloom {

void FrmMain::Form_Load(const std::filesystem::path& lessonFile) {
    Form_Load([&lessonFile] { return readLesson(lessonFile); });
}

void FrmMain::Form_Load(const std::function<std::u16string()>& readLessonText) {
    for (int i = 0; i < kRingSize; ++i) {
        Label& row = c_.lblEgg[i];
        row.left = kRowLeft;
        row.top = static_cast<Twips>(i) * kRowPitch;
        row.width = c_.picEgg.width - kRowLeft;
    }
    // The template mark sits past the pane's left edge and is never shown.
    c_.lblOK[0].left = -70;
    c_.lblOK[0].top = 0;

    Label& firstTyped = c_.lblType[0];
    firstTyped.left = kRowLeft;
    firstTyped.top = 0;
    firstTyped.width = c_.lblEgg[0].width;
    for (int i = 1; i < kRingSize; ++i) {
        Label& row = c_.lblType.create(i);
        row.left = kRowLeft;
        row.top = static_cast<Twips>(i) * kRowPitch;
        row.width = c_.lblEgg[i].width;
        row.visible = true;
    }
    c_.Line1.x1 = c_.Line1.x2 = c_.lblType[0].left - 1;

    s_.lessonText = readLessonText();
    for (Counter i = 0; i < kRowsFilledAtLoad; ++i) {
        c_.lblEgg[i].caption = lessonLine(s_.lessonText, i);
    }
    s_.nextLine = kRowsFilledAtLoad;
}

} // namespace keyloom
