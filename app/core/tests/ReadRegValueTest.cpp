#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/ReadRegValue.h"

namespace {

// Values are written with the type and the exact bytes given, under a key of the test's own.
class ReadRegValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
    }
    void Set(const char* name, DWORD type, const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    }

    static constexpr const wchar_t* kPath = L"Software\\ZorvikTests\\ReadRegValue";
    HKEY key_ = nullptr;
};

std::vector<uint8_t> Bytes(const char* text, size_t count) { return {text, text + count}; }

TEST_F(ReadRegValueTest, ReadsStringsAndTheFirstTwoBytesOfBinaryValues) {
    struct Case {
        const char* name;
        DWORD type;
        std::vector<uint8_t> bytes;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"with nul", REG_SZ, Bytes("10.0", 5), L"10.0"},
        // Written without its NUL: the text ends where the stored bytes end, nothing after them.
        {"without nul", REG_SZ, Bytes("ShockwaveFlash.ShockwaveFlash.9", 31), L"ShockwaveFlash.ShockwaveFlash.9"},
        {"empty", REG_SZ, {}, L""},
        {"only nul", REG_SZ, Bytes("", 1), L""},
        {"inner nul", REG_SZ, Bytes("ab\0cd", 6), L"ab"},
        {"latin", REG_SZ, Bytes("caf\xe9", 5), L"caf\u00e9"},
        {"binary 1", REG_BINARY, {0xff}, L"255"},
        {"binary 2", REG_BINARY, {0x0a, 0x00}, L"10"},
        {"binary 2 negative", REG_BINARY, {0xff, 0xff}, L"-1"},
        {"binary 3", REG_BINARY, {0x34, 0x12, 0x7f}, L"4660"},
        {"binary 16", REG_BINARY, {0x00, 0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, L"-32768"},
        {"binary empty", REG_BINARY, {}, L"0"},
        {"dword", REG_DWORD, {1, 0, 0, 0}, L""},
        {"expand", REG_EXPAND_SZ, Bytes("%TEMP%", 7), L""},
        {"multi", REG_MULTI_SZ, Bytes("a\0b\0", 5), L""},
    };
    for (const Case& c : cases) Set(c.name, c.type, c.bytes);
    for (const Case& c : cases) {
        const std::wstring name(c.name, c.name + strlen(c.name));
        EXPECT_EQ(zv::ReadRegValue(key_, name), c.expected) << c.name;
    }
}

TEST_F(ReadRegValueTest, AMissingValueOrKeyReadsAsNothing) {
    EXPECT_EQ(zv::ReadRegValue(key_, L"missing"), L"");
    EXPECT_EQ(zv::ReadRegValue(nullptr, L"missing"), L"");
    // The default value of a key that has none.
    EXPECT_EQ(zv::ReadRegValue(key_, L""), L"");
    Set("", REG_SZ, Bytes("MediaPlayer.MediaPlayer.1", 26));
    EXPECT_EQ(zv::ReadRegValue(key_, L""), L"MediaPlayer.MediaPlayer.1");
}

}  // namespace
