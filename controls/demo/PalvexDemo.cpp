// A window to try the library's colour list and its settings dialog by hand (and to look at them):
// the list hosted as any container hosts it, boxes for its styles, and the font-display settings.
// Run: palvex_demo.exe beside Palvex.dll; the library is registered while the window is open.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "controls/forms/frmSettings.h"
#include "controls/forms/frmWait.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/activex/ActiveXControl.h"

namespace {

using EntryFn = HRESULT(STDAPICALLTYPE*)();

class frmPalvexDemo : public ui::Form {
public:
    ui::ActiveXControl ColorList1{this, L"ColorList1"};
    ui::CheckBox chkMultiColumn{this, L"chkMultiColumn"};
    ui::CheckBox chkMultiSelect{this, L"chkMultiSelect"};
    ui::CommandButton cmdSettings{this, L"cmdSettings"};
    ui::CommandButton cmdWait{this, L"cmdWait"};

    frmPalvexDemo() {
        SetCaption(L"Palvex");
        SetClientSize(6360, 3600);
        ColorList1.SetClassName(L"Palvex.ColorList");
        ColorList1.Move(120, 120, 3840, 3240);
        chkMultiColumn.SetCaption(L"Multi&Column");
        chkMultiColumn.Move(4200, 120, 2040, 285);
        chkMultiSelect.SetCaption(L"Multi&Select");
        chkMultiSelect.Move(4200, 480, 2040, 285);
        cmdSettings.SetCaption(L"Se&ttings...");
        cmdSettings.Move(4200, 960, 1455, 375);
        cmdWait.SetCaption(L"&Wait box");
        cmdWait.Move(4200, 1440, 1455, 375);
        chkMultiColumn.Click = [this] { ColorList1.Put(0x68030001, {ui::OleVariant::Bool(chkMultiColumn.Value() == 1)}); };
        chkMultiSelect.Click = [this] { ColorList1.Put(0x68030003, {ui::OleVariant::Bool(chkMultiSelect.Value() == 1)}); };
        cmdSettings.Click = [] {
            auto& settings = ui::Forms::Get<palvex::frmSettings>();
            settings.SetControl(nullptr, L"ColorList1", L"PalvexDemo");
            settings.Show();
        };
        // The library's box for long work: shown, and gone again at the next click.
        cmdWait.Click = [] {
            auto& wait = ui::Forms::Get<palvex::frmWait>();
            if (wait.IsLoaded()) wait.Unload();
            else wait.Show();
        };
    }

    void Form_Load() override {
        const std::pair<const wchar_t*, long> colours[] = {
            {L"Black", 0x000000},   {L"Maroon", 0x000080}, {L"Green", 0x008000},  {L"Olive", 0x008080},
            {L"Navy", 0x800000},    {L"Purple", 0x800080}, {L"Teal", 0x808000},   {L"Silver", 0xC0C0C0},
            {L"Grey", 0x808080},    {L"Red", 0x0000FF},    {L"Lime", 0x00FF00},   {L"Yellow", 0x00FFFF},
            {L"Blue", 0xFF0000},    {L"Fuchsia", 0xFF00FF}, {L"Aqua", 0xFFFF00},  {L"White", 0xFFFFFF},
            {L"Button face", static_cast<long>(0x8000000F)}, {L"No colour", static_cast<long>(0xFF000000)},
        };
        for (auto [name, value] : colours)
            ColorList1.Call(0x60030013, {ui::OleVariant::Text(name), ui::OleVariant::Long(value), ui::OleVariant::Missing()});
    }
};

std::wstring BesideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    HMODULE library = LoadLibraryW(BesideThisProgram(L"Palvex.dll").c_str());
    if (!library) {
        MessageBoxW(nullptr, L"Palvex.dll is not beside this program.", L"Palvex", MB_OK | MB_ICONSTOP);
        return 1;
    }
    auto registerServer = reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    auto unregisterServer = reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(library, "DllUnregisterServer")));
    registerServer();
    {
        frmPalvexDemo demo;
        demo.Show(ui::vbModal);
        ui::Forms::Reset();
    }
    unregisterServer();
    FreeLibrary(library);
    OleUninitialize();
    return 0;
}
