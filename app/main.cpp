// Zorvik: authoring of e-learning modules.
#include <windows.h>
#include <ole2.h>

#include "app/core/Startup.h"
#include "ui/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The program and the controls it hosts live in one single-threaded apartment.
    if (FAILED(OleInitialize(nullptr))) return 1;
    StartZorvik();
    ui::Run();
    OleUninitialize();
    return 0;
}
