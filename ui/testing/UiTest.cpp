#include "ui/testing/UiTest.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace ui::testing {

std::string Utf8(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

WindowPixels ReadWindowPixels(HWND window) {
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    WindowPixels shot;
    shot.width = client.right;
    shot.height = client.bottom;
    HDC screen = GetDC(window);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const unsigned*>(bits);
        shot.px.assign(p, p + static_cast<size_t>(shot.width) * shot.height);
        for (unsigned& v : shot.px) v &= 0xFFFFFF;
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(window, screen);
    return shot;
}

WindowPixels ReadBitmapPixels(HBITMAP bitmap) {
    WindowPixels shot;
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return shot;
    shot.width = bm.bmWidth;
    shot.height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    shot.px.resize(static_cast<size_t>(shot.width) * shot.height);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(shot.height), shot.px.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (unsigned& v : shot.px) v &= 0xFFFFFF;
    return shot;
}

bool WaitUntil(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void UiTest::SetUp() {
    test::Reset();
    test::SetNoRealDialogs(true);
    failures_.clear();
    test::SetFailureHandler([this](const std::wstring& d) {
        failures_.push_back(d);
        throw HookFailure{{d}};
    });
}

void UiTest::TearDown() {
    Forms::Reset();
    DoEvents();
    for (const auto& f : failures_) ADD_FAILURE() << "hook failure: " << Utf8(f);
    test::SetFailureHandler(nullptr);
    test::Reset();
}

std::vector<std::wstring> UiTest::TakeFailures() {
    auto out = std::move(failures_);
    failures_.clear();
    return out;
}

namespace {
// Before main: when the window setting was only now made, run this program again so that it applies.
const bool g_unmanaged = [] {
    if (test::UseUnmanagedWindowsUnderWine()) return true;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = GetCommandLineW();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ExitProcess(code);
}();
}  // namespace

}  // namespace ui::testing
