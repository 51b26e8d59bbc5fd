#include "tests/support/typing_box_model.h"

namespace keyloom::test {

void TypingBoxModel::append(char16_t ch) {
    box_.text.push_back(ch);
    box_.selStart = static_cast<long long>(box_.text.size());
    form_.txtType_Change();
}

void TypingBoxModel::commit(std::u16string_view text) {
    form_.txtType_KeyDown(kKeyProcessedByIme, 0);
    for (const char16_t ch : text) {
        append(ch);
    }
}

void TypingBoxModel::key(Counter keyCode, char16_t sign) {
    form_.txtType_KeyDown(keyCode, 0);
    if (!box_.locked) {
        append(sign);
    }
}

void TypingBoxModel::backspace() {
    form_.txtType_KeyDown(kKeyBack, 0);
    if (!box_.locked && !box_.text.empty()) {
        box_.text.pop_back();
        box_.selStart = static_cast<long long>(box_.text.size());
        form_.txtType_Change();
    }
}

} // namespace keyloom::test
