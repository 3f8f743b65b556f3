// Keeps Wine's desktop in use while a test run starts and ends one program
// after another. Without a user the server closes the desktop a moment after
// each program ends, and the next program starts it again: a new desktop
// process that inherits that program's output pipe and keeps it open after
// the program is gone, so a runner reading the pipe waits for it.
//
//   ScrivloWineHold.exe    starts the keeper and returns once its window
//                          exists (so the desktop is up); the keeper stays
//                          until the wineserver ends
//
// One hidden window is enough; it never shows and never takes the focus.
#include <windows.h>

#include <cstring>

namespace {

const char kStayArgument[] = "--stay";

int Stay() {
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "ScrivloWineHold", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr) return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    if (std::strstr(lpCmdLine, kStayArgument) != nullptr) return Stay();

    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    char commandLine[MAX_PATH + 16];
    wsprintfA(commandLine, "\"%s\" %s", path, kStayArgument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    // Idle means its window exists, and with it the desktop.
    const DWORD idle = ::WaitForInputIdle(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return idle == 0 ? 0 : 1;
}
