// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/controls.h"

#include <utility>

namespace keyloom {

LabelArray::LabelArray(std::map<int, Label> designElements)
    : elements_(std::move(designElements)) {}

Label& LabelArray::operator[](int index) {
    const auto found = elements_.find(index);
    if (found == elements_.end()) {
        throw MissingElementError(index);
    }
    return found->second;
}

const Label& LabelArray::operator[](int index) const {
    const auto found = elements_.find(index);
    if (found == elements_.end()) {
        throw MissingElementError(index);
    }
    return found->second;
}

Label& LabelArray::create(int index) {
    if (const auto found = elements_.find(index); found != elements_.end()) {
        return found->second;
    }
    Label copy = (*this)[0];
    copy.visible = false;
    return elements_.emplace(index, std::move(copy)).first->second;
}

void LabelArray::destroy(int index) {
    if (index == 0 || elements_.erase(index) == 0) {
        throw MissingElementError(index);
    }
}

} // namespace keyloom
