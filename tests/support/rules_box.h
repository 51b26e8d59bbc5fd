// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/frm_main.h"
#include "ui/typing_rules.h"

#include <string_view>
#include <vector>

namespace keyloom::test {

// The typing rules over the handlers with no toolkit around them: what the
// core tests, the fuzzer and the core benchmark type through. The box has
// the focus unless a test takes it away; the handlers' errors propagate.
class RulesBox {
  public:
    RulesBox(FrmMain& form, TextBox& box);

    // Characters an input method composed and now commits, one change each.
    void commit(std::u16string_view text);
    // A key going down, and the text it types.
    void key(Counter keyCode, std::u16string_view text = {}, Counter shift = 0);
    void backspace() { key(kKeyBack); }

    [[nodiscard]] TypingRules& rules() { return rules_; }
    void setFocus(bool focused);
    // The program's commands the keys have run, in order.
    [[nodiscard]] const std::vector<ProgramCommand>& commands() const { return commands_; }

  private:
    FrmMain& form_;
    TypingRules rules_;
    bool focused_ = true;
    std::vector<ProgramCommand> commands_;
};

} // namespace keyloom::test
