// ScrivloGallery: one dialog with every kind of standard control the skin
// engine knows, shown under the same hook the application installs (the
// calling thread, dialog mode, shadow-coloured button outlines).
//
//   ScrivloGallery [--plain] [--screenshot FILE.bmp]
//
// --plain shows the dialog without the skin. --screenshot shows it, lets it
// settle, saves the dialog window as a 24-bit BMP and ends (exit code 0 when
// the file was written).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "skin/engine/SkinManager.h"
#include "tools/gallery/GalleryRes.h"

namespace {

struct CGalleryOptions {
    bool bPlain = false;
    const char* pszScreenshot = nullptr;
};

void FillControls(HWND hDlg, bool bPlain) {
    SetWindowTextA(hDlg, bPlain ? "Scrivlo control gallery (plain)" : "Scrivlo control gallery (skinned)");

    static const char* const kItems[] = {"Inventory", "Registry", "Message box", "Status line"};
    const int kCombos[] = {IDC_COMBO_SIMPLE, IDC_COMBO_DROPDOWN, IDC_COMBO_LIST, IDC_COMBO_DISABLED};
    for (int id : kCombos) {
        for (const char* item : kItems) SendDlgItemMessageA(hDlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendDlgItemMessageA(hDlg, id, CB_SETCURSEL, 0, 0);
    }
    for (int i = 0; i < 12; ++i) {
        char sz[32];
        std::snprintf(sz, sizeof(sz), "List item %d", i + 1);
        SendDlgItemMessageA(hDlg, IDC_LISTBOX, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sz));
    }

    SendDlgItemMessageA(hDlg, IDC_SPIN, UDM_SETRANGE32, 0, 99);
    SendDlgItemMessageA(hDlg, IDC_SPIN, UDM_SETPOS32, 0, 42);
    SendDlgItemMessageA(hDlg, IDC_IPADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(127, 0, 0, 1));

    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 99, 20, 30, 0};
    SetScrollInfo(GetDlgItem(hDlg, IDC_HSCROLL), SB_CTL, &si, TRUE);
    si.nPos = 55;
    SetScrollInfo(GetDlgItem(hDlg, IDC_VSCROLL), SB_CTL, &si, TRUE);
    const int kTracks[] = {IDC_TRACK_HORZ, IDC_TRACK_VERT};
    for (int id : kTracks) {
        SendDlgItemMessageA(hDlg, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SendDlgItemMessageA(hDlg, id, TBM_SETPOS, TRUE, 4);
    }

    HWND hList = GetDlgItem(hDlg, IDC_LISTVIEW);
    static const char* const kColumns[] = {"File", "Size", "Digest"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = c == 0 ? 80 : 60;
        col.pszText = const_cast<char*>(kColumns[c]);
        SendMessageA(hList, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
    }
    static const char* const kRows[][3] = {
        {"product.exe", "1 204 224", "9e107d9d"}, {"shared.dll", "88 064", "e4d909c2"},
        {"readme.txt", "2 113", "d41d8cd9"},      {"setup.ini", "512", "0cc175b9"},
        {"help.chm", "301 056", "92eb5ffe"},
    };
    for (int r = 0; r < 5; ++r) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(kRows[r][0]);
        SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 3; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(kRows[r][c]);
            SendMessageA(hList, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        }
    }

    HWND hTree = GetDlgItem(hDlg, IDC_TREE);
    TVINSERTSTRUCTA tv = {};
    tv.hParent = TVI_ROOT;
    tv.hInsertAfter = TVI_LAST;
    tv.item.mask = TVIF_TEXT;
    tv.item.pszText = const_cast<char*>("Product");
    HTREEITEM hRoot =
        reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tv)));
    static const char* const kLeaves[] = {"Install", "Shared", "System", "Registry", "Log"};
    for (const char* leaf : kLeaves) {
        tv.hParent = hRoot;
        tv.item.pszText = const_cast<char*>(leaf);
        SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
    SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hRoot));

    HWND hBar = GetDlgItem(hDlg, IDC_TOOLBAR);
    SendMessageA(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hBar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    const int kImages[] = {STD_FILENEW, STD_FILEOPEN, STD_FILESAVE, -1, STD_CUT, STD_COPY, STD_PASTE, -1, STD_FIND};
    std::vector<TBBUTTON> buttons;
    int nCommand = 2000;
    for (int image : kImages) {
        TBBUTTON b = {};
        if (image < 0) {
            b.fsStyle = TBSTYLE_SEP;
        } else {
            b.iBitmap = image;
            b.idCommand = nCommand++;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
        buttons.push_back(b);
    }
    SendMessageA(hBar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendDlgItemMessageA(hDlg, IDC_CHECK, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(hDlg, IDC_RADIO1, BM_SETCHECK, BST_CHECKED, 0);
}

INT_PTR CALLBACK GalleryDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: FillControls(hDlg, lParam != 0); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

// Handles what arrives for this thread for ms milliseconds.
void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

// The window as it shows (its window DC covers the caption and frame, and,
// its children sharing its surface, every control) into a 24-bit BMP file.
bool SaveWindowBmp(HWND hWnd, const char* pszPath) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return false;
    const int stride = (w * 3 + 3) & ~3;

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as the file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    bi.bmiHeader.biSizeImage = static_cast<DWORD>(stride * h);

    HDC hWndDC = GetWindowDC(hWnd);
    void* pBits = nullptr;
    HBITMAP hDib = CreateDIBSection(hWndDC, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hMem = hDib ? CreateCompatibleDC(hWndDC) : nullptr;
    bool bDone = false;
    if (hMem) {
        HGDIOBJ hOld = SelectObject(hMem, hDib);
        bDone = BitBlt(hMem, 0, 0, w, h, hWndDC, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
    }
    ReleaseDC(hWnd, hWndDC);

    if (bDone) {
        BITMAPFILEHEADER bf = {};
        bf.bfType = 0x4D42;  // "BM"
        bf.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        bf.bfSize = bf.bfOffBits + bi.bmiHeader.biSizeImage;
        FILE* f = std::fopen(pszPath, "wb");
        bDone = f != nullptr;
        if (f) {
            bDone = std::fwrite(&bf, sizeof(bf), 1, f) == 1 &&
                    std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f) == 1 &&
                    std::fwrite(pBits, bi.bmiHeader.biSizeImage, 1, f) == 1;
            bDone = (std::fclose(f) == 0) && bDone;
        }
    }
    if (hDib) DeleteObject(hDib);
    return bDone;
}

CGalleryOptions ParseOptions(int argc, char** argv) {
    CGalleryOptions o;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plain") == 0) {
            o.bPlain = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            o.pszScreenshot = argv[++i];
        }
    }
    return o;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    const CGalleryOptions o = ParseOptions(__argc, __argv);

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                 ICC_USEREX_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    if (!o.bPlain) CSkinManager::GetInstance()->Install(FALSE, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);

    const LPARAM lPlain = o.bPlain ? 1 : 0;
    if (!o.pszScreenshot) {
        DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_GALLERY), nullptr, &GalleryDlgProc, lPlain);
        return 0;
    }

    HWND hDlg = CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_GALLERY), nullptr, &GalleryDlgProc, lPlain);
    if (!hDlg) return 2;
    // The cursor away from the dialog, so no control is drawn hot.
    SetCursorPos(0, 0);
    ShowWindow(hDlg, SW_SHOW);
    SetForegroundWindow(hDlg);
    Pump(1500);
    RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(1000);
    const bool bSaved = SaveWindowBmp(hDlg, o.pszScreenshot);
    DestroyWindow(hDlg);
    Pump(100);
    return bSaved ? 0 : 1;
}
