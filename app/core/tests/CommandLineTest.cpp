#include <gtest/gtest.h>

#include "app/core/CommandLine.h"

namespace {

TEST(CommandLine, ArgumentTextIsEverythingAfterTheProgramName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Zorvik.exe", L""},
        {L"Zorvik.exe   ", L""},
        {L"C:\\Zorvik\\Zorvik.exe C:\\m\\000042\\000042.zvk", L"C:\\m\\000042\\000042.zvk"},
        {L"\"C:\\Program Files\\Zorvik.exe\" \"C:\\my modules\\000042\\000042.zvk\"",
         L"\"C:\\my modules\\000042\\000042.zvk\""},
        {L"\"C:\\Program Files\\Zorvik.exe\"C:\\a b.zvk", L"C:\\a b.zvk"},
        {L"Zorvik.exe C:\\my modules\\000042.zvk", L"C:\\my modules\\000042.zvk"},
    };
    for (const auto& [line, args] : cases) EXPECT_EQ(ArgumentText(line), args) << line;
}

TEST(CommandLine, QuotesAreRemovedOnlyWhenTheyEncloseThePath) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\m\\000042.zvk\"", L"C:\\m\\000042.zvk"},
        {L"C:\\m\\000042.zvk", L"C:\\m\\000042.zvk"},
        {L"\"C:\\m\\000042.zvk", L"\"C:\\m\\000042.zvk"},  // quoted at one end only: unchanged
        {L"C:\\m\\000042.zvk\"", L"C:\\m\\000042.zvk\""},
        {L"\"", L"\""},
        {L"\"\"", L""},
    };
    for (const auto& [given, path] : cases) EXPECT_EQ(StripSurroundingQuotes(given), path) << given;
}

}  // namespace
