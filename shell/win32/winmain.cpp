// Volleon for Windows: a two-player bat-and-ball game on the whole desktop.
#include <windows.h>

#include <mmsystem.h>
#include <objbase.h>

#include "main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The shell may hand the home-page request to a COM handler.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Timers tick at the system clock's resolution, 15.6 ms by default:
    // the 50 ms ball timer would tick only every 62.5 ms.
    timeBeginPeriod(1);

    int status = 0;
    {
        volleon::win32::MainWindow form1(instance);
        ShowWindow(form1.handle(), showCommand);
        UpdateWindow(form1.handle());
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        status = form1.exitCode();
    }

    timeEndPeriod(1);
    CoUninitialize();
    return status;
}
