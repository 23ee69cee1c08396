#pragma once
// Opens registry keys, keeps their handles until they are closed (or the object goes), and reads
// and writes the library's typed values in them.

#include <windows.h>

#include <map>
#include <string>
#include <variant>

#include "controls/core/RegistryValue.h"

namespace palvex {

class RegistryObject {
public:
    // What OpenKey answers for a key it could not open.
    static inline const HKEY kNoKey = reinterpret_cast<HKEY>(static_cast<intptr_t>(-1));

    RegistryObject() = default;
    RegistryObject(const RegistryObject&) = delete;
    RegistryObject& operator=(const RegistryObject&) = delete;
    ~RegistryObject();

    int32_t Count() const { return static_cast<int32_t>(keys_.size()); }
    // The handle kept under an index key, kNoKey when there is none.
    HKEY Item(const std::wstring& index) const;
    // Opens the key, creating it when missing; kNoKey on failure (nothing kept). The handle is kept
    // under indexKey, or under "_H" and the handle in hexadecimal when indexKey is empty.
    HKEY OpenKey(HKEY root, const std::wstring& subKey, const std::wstring& indexKey = L"");
    // By handle or by the index key it is kept under; the handle is closed either way.
    void CloseKey(const std::variant<HKEY, std::wstring>& key);

    // The stored value, Missing when it is absent, empty or unreadable (see DecodeRegistryValue).
    RegistryValue GetValue(HKEY key, const std::wstring& name) const;
    // Nothing is written for Missing or an oversized value; false then, and when the system refuses.
    bool SetValue(HKEY key, const std::wstring& name, const RegistryValue& value);
    bool DeleteValue(HKEY key, const std::wstring& name);
    bool DeleteKey(HKEY key, const std::wstring& subKey);

private:
    std::map<std::wstring, HKEY> keys_;
};

}  // namespace palvex
