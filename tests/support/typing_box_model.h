#pragma once

#include "practice/frm_main.h"

#include <string_view>

namespace keyloom::test {

// The typing box as the toolkit bindings drive it: every key reaches the
// key-down handler before the box applies it; an input method's commit is a
// key-down 229 and then one change a character; the caret stays at the end
// of the text; Backspace takes the last character unless the handler has
// locked the box.
class TypingBoxModel {
  public:
    TypingBoxModel(FrmMain& form, TextBox& box) : form_(form), box_(box) {}

    void commit(std::u16string_view text);
    // A punctuation key typed without an input method: its sign goes in
    // unless the handler locks the box.
    void key(Counter keyCode, char16_t sign);
    void backspace();

  private:
    void append(char16_t ch);

    FrmMain& form_;
    TextBox& box_;
};

} // namespace keyloom::test
