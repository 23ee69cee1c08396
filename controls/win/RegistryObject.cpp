#include "controls/win/RegistryObject.h"

#include <vector>

#include "controls/core/HandleKey.h"

namespace palvex {

namespace {

std::wstring KeyOfHandle(HKEY key) { return HandleKey(reinterpret_cast<uintptr_t>(key)); }

}  // namespace

RegistryObject::~RegistryObject() {
    for (auto& [index, key] : keys_) RegCloseKey(key);
}

HKEY RegistryObject::Item(const std::wstring& index) const {
    const auto found = keys_.find(index);
    return found == keys_.end() ? kNoKey : found->second;
}

HKEY RegistryObject::OpenKey(HKEY root, const std::wstring& subKey, const std::wstring& indexKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return kNoKey;
    const std::wstring index = indexKey.empty() ? KeyOfHandle(key) : indexKey;
    if (!keys_.emplace(index, key).second) {
        // The index is taken: the new handle would be lost in the collection, so it is not kept.
        RegCloseKey(key);
        return kNoKey;
    }
    return key;
}

void RegistryObject::CloseKey(const std::variant<HKEY, std::wstring>& which) {
    HKEY key = nullptr;
    if (const auto* handle = std::get_if<HKEY>(&which)) {
        key = *handle;
        keys_.erase(KeyOfHandle(key));
    } else {
        const auto found = keys_.find(std::get<std::wstring>(which));
        if (found == keys_.end()) return;
        key = found->second;
        keys_.erase(found);
    }
    if (key && key != kNoKey) RegCloseKey(key);
}

RegistryValue RegistryObject::GetValue(HKEY key, const std::wstring& name) const {
    if (!key || key == kNoKey) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (size == 0 || size > kMaxRegistryValueBytes) return {};
    std::vector<uint8_t> bytes(size);
    // The value may have changed since its size was asked: what comes back now is what counts, and a
    // value grown past the buffer reads as missing.
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) return {};
    return DecodeRegistryValue(type, bytes.data(), std::min<size_t>(size, bytes.size()));
}

bool RegistryObject::SetValue(HKEY key, const std::wstring& name, const RegistryValue& value) {
    if (!key || key == kNoKey) return false;
    EncodedRegistryValue stored;
    if (!EncodeRegistryValue(value, stored)) return false;
    return RegSetValueExW(key, name.c_str(), 0, stored.type, stored.bytes.data(),
                          static_cast<DWORD>(stored.bytes.size())) == ERROR_SUCCESS;
}

bool RegistryObject::DeleteValue(HKEY key, const std::wstring& name) {
    if (!key || key == kNoKey) return false;
    return RegDeleteValueW(key, name.c_str()) == ERROR_SUCCESS;
}

bool RegistryObject::DeleteKey(HKEY key, const std::wstring& subKey) {
    if (!key || key == kNoKey) return false;
    return RegDeleteKeyW(key, subKey.c_str()) == ERROR_SUCCESS;
}

}  // namespace palvex
