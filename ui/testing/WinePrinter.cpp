#include "ui/testing/WinePrinter.h"

#include <windows.h>
#include <winspool.h>

#include <filesystem>
#include <string_view>

#include "base/Files.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

constexpr wchar_t kSpoolPort[] = L"ZVTESTPRINT:";
constexpr wchar_t kSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";

}  // namespace

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string UnixPath(const std::wstring& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return "";
    char* unix = toUnix(windowsPath.c_str());
    if (!unix) return "";
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::string PostScriptText(const std::wstring& psPath) {
    // Wine starts a host program without waiting for it: the text is written under another name
    // and renamed once complete.
    const std::filesystem::path txt = std::filesystem::path(psPath).parent_path() / "printed.txt";
    const std::string out = UnixPath(txt.wstring()), in = UnixPath(psPath);
    const std::string script = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile='" + out + ".part' '" + in +
                               "' && mv '" + out + ".part' '" + out + "'";
    std::wstring cmd = L"Z:\\bin\\sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitUntil([&] { return zv::FileExists(txt.wstring()); }, 60) ? zv::ReadFileBytes(txt.wstring()) : "";
}

WinePostScriptPrinter::WinePostScriptPrinter(const std::wstring& outputFile) {
    const char ppd[] =
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
        "*LanguageEncoding: ISOLatin1\n*PCFileName: \"ZVTEST.PPD\"\n*Manufacturer: \"Zorvik\"\n"
        "*Product: \"(Zorvik Test Printer)\"\n*ModelName: \"Zorvik Test Printer\"\n*NickName: \"Zorvik Test Printer\"\n"
        "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n*DefaultColorSpace: RGB\n"
        "*FileSystem: False\n*Throughput: \"1\"\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
        "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: Letter\n"
        "*PageSize Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageSize\n"
        "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: Letter\n"
        "*PageRegion Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageRegion\n"
        "*DefaultImageableArea: Letter\n*ImageableArea Letter/Letter: \"18 18 594 774\"\n"
        "*DefaultPaperDimension: Letter\n*PaperDimension Letter/Letter: \"612 792\"\n";
    if (!UnderWine()) return;
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return;
    // The driver reads its PPD from the driver folder.
    std::wstring ppdPath = std::wstring(dir) + L"\\zvtest.ppd";
    zv::WriteFileReplacing(ppdPath, std::string_view(ppd, sizeof ppd - 1));
    DRIVER_INFO_3W di{};
    di.cVersion = 3;
    di.pName = const_cast<wchar_t*>(kName);
    di.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    di.pDataFile = ppdPath.data();
    di.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_NEW_FILES)) return;

    std::wstring port = L"FILE:";
    if (!outputFile.empty()) {
        // Wine's spooler copies what is printed on a port named here to the host file it names.
        const std::string unix = UnixPath(outputFile);
        HKEY key = nullptr;
        if (unix.empty() || RegCreateKeyExW(HKEY_CURRENT_USER, kSpoolerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                            nullptr) != ERROR_SUCCESS) {
            return;
        }
        const std::wstring target(unix.begin(), unix.end());
        RegSetValueExW(key, kSpoolPort, 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                       static_cast<DWORD>((target.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        spoolPort_ = true;
        port = kSpoolPort;
    }
    PRINTER_INFO_2W pi{};
    pi.pPrinterName = const_cast<wchar_t*>(kName);
    pi.pPortName = port.data();
    pi.pDriverName = const_cast<wchar_t*>(kName);
    pi.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    pi.pDatatype = const_cast<wchar_t*>(L"RAW");
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (!h) return;
    ClosePrinter(h);
    ok = SetDefaultPrinterW(kName) != FALSE;
}

WinePostScriptPrinter::~WinePostScriptPrinter() {
    HANDLE h = nullptr;
    if (OpenPrinterW(const_cast<wchar_t*>(kName), &h, nullptr)) {
        DeletePrinter(h);
        ClosePrinter(h);
    }
    if (spoolPort_) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kSpoolerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, kSpoolPort);
            RegCloseKey(key);
        }
    }
}

}  // namespace ui::testing
