// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/rules_box.h"

namespace keyloom::test {

RulesBox::RulesBox(FrmMain& form, TextBox& box)
    : form_(form),
      rules_(box,
             {.keyDown =
                  [this](Counter code, Counter shift) {
                      form_.txtType_KeyDown(code, shift);
                      return true;
                  },
              .changed = [this] { form_.txtType_Change(); },
              .hasFocus = [this] { return focused_; },
              .cancelComposition = [] {},
              .handFocusOver = [] {},
              .runCommand = [this](ProgramCommand command) { commands_.push_back(command); }}) {}

void RulesBox::commit(std::u16string_view text) {
    rules_.inputMethod({.composing = true});
    rules_.inputMethod({.commit = text, .composing = false});
}

void RulesBox::key(Counter keyCode, std::u16string_view text, Counter shift) {
    if (rules_.keyDown(keyCode, shift)) {
        rules_.keyText(text);
    }
}

void RulesBox::setFocus(bool focused) {
    focused_ = focused;
    if (!focused) {
        rules_.focusLost();
    }
}

} // namespace keyloom::test
