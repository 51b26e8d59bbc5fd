#include "practice/ring.h"

namespace keyloom {

std::u16string lessonLine(const std::u16string& lessonText, Counter n) {
    const Counter start = checkedAdd(checkedMul(n, kRowWidth), 1);
    const auto offset = static_cast<std::size_t>(start - 1);
    if (offset >= lessonText.size()) {
        return {};
    }
    return lessonText.substr(offset, kRowWidth);
}

} // namespace keyloom
