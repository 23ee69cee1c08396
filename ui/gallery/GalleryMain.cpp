// ui_gallery.exe: shows the control gallery.
//   ui_gallery.exe                  until the window is closed
//   ui_gallery.exe --bmp FILE       saves a picture of the window as a .bmp file and ends
//   ui_gallery.exe --seconds N      ends by itself after N seconds (for a screenshot of the screen)

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ui/Application.h"
#include "ui/gallery/GalleryShot.h"
#include "ui/gallery/frmGallery.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring bmp;
    int seconds = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--bmp") bmp = argv[++i];
        else if (a == L"--seconds") seconds = _wtoi(argv[++i]);
    }
    LocalFree(argv);

    ui::App().SetTitle(L"Control Gallery");
    // The default instance, as the program shows its forms; it is destroyed with the process.
    auto& gallery = ui::Forms::Get<ui::frmGallery>();
    gallery.Show();
    if (!bmp.empty()) {
        for (int i = 0; i < 10; ++i) {
            ui::DoEvents();
            Sleep(20);
        }
        bool ok = ui::SaveWindowPicture(gallery.hWnd(), bmp);
        return ok ? 0 : 1;  // still loaded: the process end takes the form down
    }
    if (seconds > 0) SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    ui::Run();
    return 0;
}
