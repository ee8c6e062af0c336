// Stand-ins for the screen readers' own windows, which tell that they run: "jaws" makes a
// top-level window of class "JFWUI2", "nvda" one of class "wxWindowClassNR" titled "NVDA". It runs
// until it is ended.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    (void)previous;
    (void)show;
    const int jaws = lstrcmpiW(commandLine, L"jaws") == 0;
    WNDCLASSW windowClass = {0};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = jaws ? L"JFWUI2" : L"wxWindowClassNR";
    RegisterClassW(&windowClass);
    CreateWindowW(windowClass.lpszClassName, jaws ? L"JAWS" : L"NVDA", 0, 0, 0, 0, 0, NULL, NULL,
        instance, NULL);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
