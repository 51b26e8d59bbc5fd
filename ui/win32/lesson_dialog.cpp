// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/lesson_dialog.h"

#include "forms/frm_lesson_design.h"
#include "text/utf8_text.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace keyloom {
namespace {

int buttonId(std::string_view name) {
    return name == "cmdStart" ? IDOK : IDCANCEL;
}

void fill(HWND box, const std::vector<std::u16string>& items, std::size_t current) {
    for (const std::u16string& item : items) {
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(controlText(item).c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, current, 0);
}

std::size_t indexOf(HWND box) {
    return static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(box, CB_GETCURSEL, 0, 0)));
}

// The captions whose mnemonic moves the focus to the control after them in
// tab order; every other label shows its text literally.
constexpr std::array kMnemonicCaptions{"lblTexts", "lblLength", "lblSegment", "lblAccuracy",
                                       "lblSpeed"};

} // namespace

LessonDialog::LessonDialog(LessonChoices choices, CourseStarter start)
    : choices_(std::move(choices)), start_(std::move(start)) {}

void LessonDialog::run(HWND owner) {
    runModalDialog(owner, frmLessonDesign(),
                   &ownedWindowProc<LessonDialog, &LessonDialog::handle, &LessonDialog::failed,
                                    &LessonDialog::dialog_, DWLP_USER>,
                   reinterpret_cast<LPARAM>(this));
}

// Nothing unwinds through the dialog manager: the window closes.
INT_PTR LessonDialog::failed(const std::exception& /*error*/) const {
    EndDialog(dialog_, IDABORT);
    return TRUE;
}

INT_PTR LessonDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        build();
        return FALSE; // the focus was set on the texts
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    auto* const from = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case IDOK: cmdStart_Click(); return TRUE;
    case IDCANCEL: EndDialog(dialog_, IDCANCEL); return TRUE;
    default: break;
    }
    if ((from == texts_ && code == LBN_SELCHANGE) || (from == length_ && code == CBN_SELCHANGE) ||
        (from == shuffle_ && code == BN_CLICKED)) {
        fillSegments();
        return TRUE;
    }
    return FALSE;
}

void LessonDialog::build() {
    fonts_ = std::make_unique<GdiFonts>(windowDpi(dialog_));
    const WindowDescription& design = frmLessonDesign();
    const DialogControls controls = buildDialog(dialog_, design, *fonts_, buttonId, {});
    SetWindowTextW(dialog_, controlText(lessonWindowCaption()).c_str());
    texts_ = controls.at("lstTexts");
    length_ = controls.at("cboLength");
    shuffle_ = controls.at("chkShuffle");
    segment_ = controls.at("cboSegment");
    accuracy_ = controls.at("cboAccuracy");
    speed_ = controls.at("cboSpeed");
    problems_ = controls.at("lblProblems");
    for (const char* caption : kMnemonicCaptions) {
        const HWND label = controls.at(caption);
        SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) & ~SS_NOPREFIX);
    }

    for (const std::u16string& item : choices_.textItems()) {
        SendMessageW(texts_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(controlText(item).c_str()));
    }
    fill(length_, LessonChoices::lengthItems(), LessonChoices::kDefaultLengthItem);
    fill(accuracy_, LessonChoices::accuracyItems(), LessonChoices::kDefaultAccuracyItem);
    fill(speed_, LessonChoices::speedItems(), 0);
    SendMessageW(texts_, LB_SETCURSEL, 0, 0);
    fillSegments();
    SetFocus(texts_);
}

LessonChoices::Chosen LessonDialog::chosen() const {
    return {.text = static_cast<std::size_t>(
                std::max<LRESULT>(0, SendMessageW(texts_, LB_GETCURSEL, 0, 0))),
            .length = indexOf(length_),
            .shuffle = SendMessageW(shuffle_, BM_GETCHECK, 0, 0) == BST_CHECKED,
            .segment = static_cast<int>(indexOf(segment_)) + 1,
            .accuracy = indexOf(accuracy_),
            .speed = indexOf(speed_)};
}

// The segments of the chosen text at the chosen length, the first chosen.
void LessonDialog::fillSegments() {
    EnableWindow(shuffle_, choices_.shuffles(chosen().text) ? TRUE : FALSE);
    SendMessageW(segment_, CB_RESETCONTENT, 0, 0);
    std::u16string problem;
    try {
        const bool any = SendMessageW(texts_, LB_GETCOUNT, 0, 0) > 0;
        const int count = any ? choices_.segmentCount(chosen()) : 0;
        const std::wstring of = L"/" + std::to_wstring(count) + L" 段";
        for (int i = 1; i <= count; ++i) {
            const std::wstring item = L"第 " + std::to_wstring(i) + of;
            SendMessageW(segment_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageW(segment_, CB_SETCURSEL, 0, 0);
    } catch (const CourseError& error) {
        problem = fromUtf8(error.what());
    }
    tell(problem.empty() ? choices_.problems() : problem);
}

void LessonDialog::cmdStart_Click() {
    try {
        const CourseOptions options = choices_.options(chosen());
        EndDialog(dialog_, IDOK);
        start_(options);
    } catch (const CourseError& error) {
        tell(fromUtf8(error.what()));
    }
}

void LessonDialog::tell(const std::u16string& problem) const {
    SetWindowTextW(problems_, controlText(problem).c_str());
}

void showLessonDialog(LessonChoices choices, const CourseStarter& start, HWND owner) {
    LessonDialog dialog(std::move(choices), start);
    dialog.run(owner);
}

} // namespace keyloom
