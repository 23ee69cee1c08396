// The library as script clients meet it: the registered library file, scripts run by the system's
// script host calling every class by name. The host stops at an unhandled error without a word and
// with exit code 0, so each script ends with a marker that the test requires.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/core/FontOptions.h"
#include "controls/tests/PalvexTestSupport.h"

using namespace palvex;
using namespace palvex::test;

namespace {

const char kDone[] = "PALVEX-SCRIPT-DONE";

struct ScriptRun {
    std::vector<std::string> lines;
    bool finished = false;  // the marker came
};

// Runs the script by cscript and returns its lines of output.
ScriptRun RunScript(const std::string& script) {
    static int serial = 0;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"palvex_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(++serial) + L".vbs";
    const std::string text = script + "WScript.Echo \"" + kDone + "\"\r\n";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ScriptRun run;
    if (file == INVALID_HANDLE_VALUE) return run;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{sizeof start};
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write;
    start.hStdError = write;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring command = L"cscript.exe //nologo \"" + path + L"\"";
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &start, &process);
    CloseHandle(write);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(read);
    DeleteFileW(path.c_str());
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(at, end - at);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line == kDone) run.finished = true;
        else if (!line.empty()) run.lines.push_back(line);
        at = end + 1;
    }
    return run;
}

class Scripts : public testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = new RegisteredLibrary();
        ASSERT_TRUE(library_->Registered());
    }
    static void TearDownTestSuite() { delete library_; }
    static inline RegisteredLibrary* library_ = nullptr;
};

}  // namespace

TEST_F(Scripts, MultiGradientByNameKeysPositionsEnumerationAndCopies) {
    const ScriptRun run = RunScript(R"(
Option Explicit
Dim g, c, copy, none
Set g = CreateObject("Palvex.MultiGradient")
g.Add 255, "Red"
g.Add &HFF00&, "Green", 1
g.Add &HFF0000
WScript.Echo "count " & g.Count
WScript.Echo "default " & g(1) & " " & g("RED") & " " & g.Color(3)
For Each c In g
    WScript.Echo "each " & c
Next
On Error Resume Next
g.Add 1, "green"
WScript.Echo "duplicate " & Err.Number & " " & Err.Description & " " & g.Count
Err.Clear
g.Remove "3"
WScript.Echo "key 3 " & Err.Number & " " & Err.Description
Err.Clear
c = g(0)
WScript.Echo "position 0 " & Err.Number & " " & Err.Description
Err.Clear
g.Copy none
WScript.Echo "from Empty " & Err.Number & " " & Err.Description & " " & g.Count
Err.Clear
On Error GoTo 0
g.Copy copy, True
WScript.Echo "copied to " & IsObject(copy) & " " & copy.Count & " " & copy(2)
copy.Remove 1
g.Copy copy
WScript.Echo "copied from " & g.Count & " " & g(1) & " " & g(2)
g.Copy g
g.Copy g, True
WScript.Echo "onto itself " & g.Count
g.Remove 2
On Error Resume Next
c = g("Red")
WScript.Echo "keys not copied " & Err.Number & " " & g.Count
Err.Clear
g.Clear
WScript.Echo "cleared " & g.Count
)");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "count 3",
                             "default 65280 255 16711680",
                             "each 65280",
                             "each 255",
                             "each 16711680",
                             "duplicate 457 This key is already associated with an element of this collection 3",
                             "key 3 5 Invalid procedure call or argument",
                             "position 0 9 Subscript out of range",
                             "from Empty 91 Object variable or With block variable not set 3",
                             "copied to True 3 255",
                             "copied from 2 255 16711680",
                             "onto itself 2",
                             "keys not copied 5 1",
                             "cleared 0",
                         }));
}

TEST_F(Scripts, RegOptionsDefaultsSavedAndReadBackByASecondObject) {
    TestKey made(std::wstring(kOptionsRootKey) + L"\\PalvexScript.List1");
    const ScriptRun run = RunScript(R"(
Option Explicit
Dim o, o2
Set o = CreateObject("Palvex.RegOptions")
WScript.Echo "defaults " & o.SuppressLoadDlg & " " & o.SymbolDraw & " " & o.FilterCode & " " & o.PitchAndFamilyFilters & " " & o.SymbolPreview & " " & o.FaceDraw & " [" & o.AppName & "]"
o.SaveProperties
o.LoadProperties "PalvexScript"
WScript.Echo "no control [" & o.AppName & "]"
o.LoadProperties "PalvexScript", "List1"
WScript.Echo "loaded " & o.AppName & "." & o.CtlName & " " & o.FaceDraw
o.FaceDraw = 2
o.SymbolDraw = 1
o.FilterCode = 33
o.SuppressLoadDlg = False
o.PitchAndFamilyFilters = True
o.SymbolPreview = True
On Error Resume Next
o.FaceDraw = 7
WScript.Echo "refused " & Err.Number & " " & Err.Description & " " & o.FaceDraw
On Error GoTo 0
o.SaveProperties
Set o2 = CreateObject("Palvex.RegOptions")
o2.LoadProperties "PalvexScript", "List1"
WScript.Echo "read back " & o2.FaceDraw & " " & o2.SymbolDraw & " " & o2.FilterCode & " " & o2.SuppressLoadDlg & " " & o2.PitchAndFamilyFilters & " " & o2.SymbolPreview
)");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "defaults True -1 0 False False -1 []",
                             "no control []",
                             "loaded PalvexScript.List1 -1",
                             "refused 380 Invalid property value 2",
                             "read back 2 1 33 False True True",
                         }));
    // What the script stored, type and length checked here.
    struct Stored {
        const wchar_t* name;
        DWORD type;
        std::vector<uint8_t> bytes;
    } stored[] = {
        {L"SymbolDraw", REG_DWORD, {1, 0, 0, 0}}, {L"SymbolPreview", REG_BINARY, {1}},
        {L"SuppressLoadDlg", REG_BINARY, {0}},    {L"FaceDraw", REG_DWORD, {2, 0, 0, 0}},
        {L"PitchAndFamilyFilters", REG_BINARY, {1}}, {L"FilterCode", REG_DWORD, {33, 0, 0, 0}},
    };
    for (const Stored& s : stored) ExpectStored(made.Path(), s.name, s.type, s.bytes);
}

TEST_F(Scripts, AnEmptyFontTypeAnswersEveryMember) {
    const ScriptRun run = RunScript(R"(
Option Explicit
Dim f
Set f = CreateObject("Palvex.FontType")
WScript.Echo "[" & f.FaceName & "][" & f.FullName & "][" & f.Script & "][" & f.Listname & "]"
WScript.Echo f.Index & " " & f.Height & " " & f.Charset & " " & f.PitchAndFamily & " " & f.Selected
WScript.Echo f.CompPF(0) & " " & f.CompPF(1) & " " & (f.Parent Is Nothing)
f.Height = 12
f.Selected = True
WScript.Echo f.Height & " " & f.Selected & " " & IsObject(f.CreateIndirect(0)) & " " & IsObject(f.CreateIndirect(0, 4))
)");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"[][][][ ()]", "0 0 0 0 False", "True False True",
                                                   "12 True True True"}));
}

TEST_F(Scripts, ColorListFilledByNameKeepsItsEntriesUntilItHasAWindow) {
    const ScriptRun run = RunScript(R"(
Option Explicit
Dim l
Set l = CreateObject("Palvex.ColorList")
l.AddColor "Red", 255
l.AddColor "Blue", &HFF0000, 0
l.AddColor "None", &HFF000000
l.AddColor "Face", &H8000000F
WScript.Echo "unhosted " & l.ListCount & " " & l.ListIndex
WScript.Echo "no colour " & l.EditColor(2)
On Error Resume Next
l.EditColor 4
WScript.Echo "past the entries " & Err.Number & " " & Err.Description
Err.Clear
On Error GoTo 0
l.MultiColumn = True
l.MultiSelect = True
WScript.Echo "styles " & l.MultiColumn & " " & l.MultiSelect & " " & l.WantKeyboardInput
l.Clear
On Error Resume Next
l.EditColor 0
WScript.Echo "cleared " & Err.Number
)");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"unhosted 0 -2", "no colour 0",
                                                   "past the entries 9 Subscript out of range",
                                                   "styles True True False", "cleared 9"}));
}

TEST_F(Scripts, AnUnhandledErrorIsNoticedByTheMissingMarker) {
    const ScriptRun run = RunScript("Dim g\r\nSet g = CreateObject(\"Palvex.MultiGradient\")\r\ng.Remove 1\r\n");
    EXPECT_FALSE(run.finished);
}
