#include "form1_window.h"
#include "form30_window.h"
#include "program.h"

#include <commctrl.h>
#include <objbase.h>

// chromell.exe starts into its main window and ends when no window of it is
// left open.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command line*/,
                    int /*show*/) {
    // COM for the imaging component that decodes the artwork.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int code = 1;
    {
        Chromell::Win32::Program program(instance);
        Chromell::Win32::Form30Window::Register(program);
        Chromell::Win32::Form1Window::Register(program);
        if (Chromell::Win32::Form30Window::Open(program) != nullptr) {
            code = program.Run();
        } else {
            MessageBoxW(nullptr, L"The main window could not be opened.", L"Chromell",
                        MB_OK | MB_ICONERROR);
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return code;
}
