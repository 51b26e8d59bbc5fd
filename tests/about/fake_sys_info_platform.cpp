// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/about/fake_sys_info_platform.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace keyloom::test {

namespace {
constexpr std::int32_t kErrorInvalidHandle = 6;
}

void FakeRegistry::addKey(RegistryKey root, const std::string& key) {
    keys_[{root, key}];
}

void FakeRegistry::set(RegistryKey root, const std::string& key, const std::string& name,
                       FakeValue value) {
    keys_[{root, key}][name] = std::move(value);
}

std::int32_t FakeRegistry::openKey(RegistryKey root, std::string_view subKey,
                                   std::uint32_t /*options*/, std::uint32_t access,
                                   RegistryKey& key) {
    if (!failure_.empty()) {
        throw std::runtime_error(failure_);
    }
    accessMasks.push_back(access);
    key = 0;
    const auto found = keys_.find({root, std::string(subKey)});
    if (found == keys_.end()) {
        return kErrorFileNotFound;
    }
    key = nextHandle_++;
    open_[key] = &found->second;
    ++openHandles;
    return 0;
}

std::int32_t FakeRegistry::queryValue(RegistryKey key, std::string_view valueName,
                                      std::uint32_t& type, std::span<std::uint8_t> data,
                                      std::uint32_t& size) {
    queried.emplace_back(valueName);
    const auto values = open_.find(key);
    if (values == open_.end()) {
        return kErrorInvalidHandle;
    }
    const auto value = values->second->find(std::string(valueName));
    if (value == values->second->end()) {
        return kErrorFileNotFound;
    }
    const std::string& bytes = value->second.bytes;
    type = value->second.type;
    const std::size_t room = std::min<std::size_t>(size, data.size());
    size = static_cast<std::uint32_t>(bytes.size());
    if (bytes.size() > room) {
        return kErrorMoreData;
    }
    std::memcpy(data.data(), bytes.data(), bytes.size());
    return 0;
}

std::int32_t FakeRegistry::closeKey(RegistryKey key) {
    ++closeCalls;
    if (open_.erase(key) == 0) {
        return kErrorInvalidHandle;
    }
    --openHandles;
    return 0;
}

// Test texts stay within ASCII, where every code page agrees.
std::string FakeRegistry::toSystemCodePage(std::u16string_view text) const {
    return {text.begin(), text.end()};
}

std::u16string FakeRegistry::fromSystemCodePage(std::string_view bytes) const {
    return {bytes.begin(), bytes.end()};
}

std::string FakeRegistry::expandEnvironmentStrings(std::string_view bytes) const {
    std::string text(bytes);
    for (const auto& [name, value] : environment) {
        const std::string reference = "%" + name + "%";
        for (std::size_t at = text.find(reference); at != std::string::npos;
             at = text.find(reference, at + value.size())) {
            text.replace(at, reference.size(), value);
        }
    }
    return text;
}

std::u16string FakeFiles::findFile(std::u16string_view path) const {
    if (raise) {
        throw std::runtime_error("bad file name");
    }
    const auto found = names.find(std::u16string(path));
    return found == names.end() ? std::u16string() : found->second;
}

void FakeStarter::start(std::u16string_view path) {
    if (!startable.contains(std::u16string(path))) {
        throw std::runtime_error("file not found");
    }
    started.emplace_back(path);
}

} // namespace keyloom::test
