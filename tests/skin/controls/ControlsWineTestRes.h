// Resources of the Win32 control tests: one icon group, made at build time.
#pragma once

#define IDI_CONTROLS_TEST 7001

#ifndef RC_INVOKED
#include <windows.h>
// The icon is 32 x 32: a rim of this colour, 4 pixels wide, around a red centre.
constexpr COLORREF kTestIconRim = RGB(0, 160, 0);
constexpr BYTE kTestIconRimGray = 93;  // 0.587 x 160 = 93.92
#endif
