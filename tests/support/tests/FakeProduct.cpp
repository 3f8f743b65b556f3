// A stand-in for the product, driven by the tests as a separate process.
//   run [okcancel]  a main dialog "Scrivlo" with status static 1001; a worker
//                   thread shows two boxes owned by it, changes the status in
//                   between, then has the dialog close. Exit code: first
//                   result * 10 + second result. Writes fake.log into the
//                   current folder first.
//   box KIND        one box without owner (KIND: ok, okcancel, custom2,
//                   heading); exit code: its result.
//   hang            shows nothing and never ends.
#include "tests/support/tests/StandInBox.h"

#include "tests/support/TemplateBytes.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace scrivlo_test;

namespace {

constexpr UINT kDone = 10003;
constexpr int kStatusId = 1001;

bool g_secondOkCancel = false;

std::vector<DWORD> MainTemplate() {
    CTemplateBytes w;
    w.Word(1);
    w.Word(0xFFFF);
    w.Dword(0);
    w.Dword(0);
    w.Dword(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT);
    w.Word(1);
    w.Word(60);
    w.Word(60);
    w.Word(200);
    w.Word(60);
    w.Word(0);
    w.Word(0);
    w.Text(L"Scrivlo");
    w.Word(8);
    w.Word(400);
    w.Byte(0);  // not italic
    w.Byte(0);  // character set
    w.Text(L"Tahoma");
    w.Item(WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 20, 180, 12, kStatusId, 0x0082, L"");
    const std::vector<std::uint32_t> words = w.Dwords();
    return std::vector<DWORD>(words.begin(), words.end());
}

DWORD WINAPI Worker(void* param) {
    HWND main = static_cast<HWND>(param);
    if (FILE* log = std::fopen("fake.log", "w")) {
        std::fputs("started\n", log);
        std::fclose(log);
    }
    const INT_PTR first = RunStandInBox(main, OkBox(L"Success!", L"Log file successfully created!"));
    // A sent message to the dialog's thread, as the product's label update is.
    SetDlgItemTextA(main, kStatusId, "Creating registry file, please wait...");
    const CStandInShape second = g_secondOkCancel ? OkCancelBox(L"Question", L"Write the registry file?")
                                                  : OkBox(L"Success!", L"Log file successfully created!");
    const INT_PTR result = RunStandInBox(main, second);
    PostMessageA(main, kDone, static_cast<WPARAM>(first * 10 + result), 0);
    return 0;
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetDlgItemTextA(dialog, kStatusId, "Creating log, please wait...");
        HANDLE thread = CreateThread(nullptr, 0, Worker, dialog, 0, nullptr);
        if (thread) CloseHandle(thread);
        return TRUE;
    }
    case kDone: EndDialog(dialog, static_cast<INT_PTR>(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "run") {
        g_secondOkCancel = argc > 2 && std::strcmp(argv[2], "okcancel") == 0;
        const std::vector<DWORD> main = MainTemplate();
        return static_cast<int>(DialogBoxIndirectParamW(
            GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(main.data()), nullptr, MainProc, 0));
    }
    if (mode == "box") return static_cast<int>(RunStandInBox(nullptr, StandInOfKind(argc > 2 ? argv[2] : "ok")));
    if (mode == "hang") {
        Sleep(INFINITE);
        return 0;
    }
    return 99;
}
