// The program entry of a framework application: hands control to the one
// application object. Kept apart so that programs with their own entry
// (the test programs) do not pull it in.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
