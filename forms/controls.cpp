// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/controls.h"

#include <atomic>
#include <utility>

namespace keyloom {

namespace {

// A viewer notes what it compared up to this many changes back; one that
// fell further behind compares every element.
constexpr std::size_t kKeptChanges = 512;

} // namespace

LabelArray::LabelArray(std::map<int, Label> designElements)
    : elements_(std::move(designElements)) {}

LabelArray::LabelArray(const LabelArray& other) : elements_(other.elements_) {}

LabelArray::LabelArray(LabelArray&& other) noexcept : elements_(std::move(other.elements_)) {
    other.identity_ = newIdentity();
}

LabelArray& LabelArray::operator=(const LabelArray& other) {
    if (this != &other) {
        *this = LabelArray(other);
    }
    return *this;
}

LabelArray& LabelArray::operator=(LabelArray&& other) noexcept {
    elements_ = std::move(other.elements_);
    identity_ = newIdentity();
    changes_ = keptFrom_ = 0;
    touched_.clear();
    other.identity_ = newIdentity();
    return *this;
}

std::uint64_t LabelArray::newIdentity() {
    static std::atomic<std::uint64_t> identities{0};
    return ++identities;
}

void LabelArray::touch(int index) {
    if (touched_.size() == 2 * kKeptChanges) {
        touched_.erase(touched_.begin(), touched_.begin() + kKeptChanges);
        keptFrom_ += kKeptChanges;
    }
    touched_.push_back(index);
    ++changes_;
}

std::optional<std::span<const int>> LabelArray::changedSince(ChangeMark mark) const {
    if (mark.array != identity_ || mark.count < keptFrom_ || mark.count > changes_) {
        return std::nullopt;
    }
    return std::span<const int>(touched_).subspan(mark.count - keptFrom_);
}

Label& LabelArray::operator[](int index) {
    const auto found = elements_.find(index);
    if (found == elements_.end()) {
        throw MissingElementError(index);
    }
    touch(index);
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
    Label copy = std::as_const(*this)[0];
    copy.visible = false;
    touch(index);
    return elements_.emplace(index, std::move(copy)).first->second;
}

void LabelArray::destroy(int index) {
    if (index == 0 || elements_.erase(index) == 0) {
        throw MissingElementError(index);
    }
    touch(index);
}

} // namespace keyloom
