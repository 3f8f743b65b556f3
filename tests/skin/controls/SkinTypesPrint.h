// gtest printers for the skin cores' plain types, so failures show values.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <ostream>

inline void PrintTo(const SkinRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const SkinPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const SkinSize& s, std::ostream* os) { *os << s.cx << " x " << s.cy; }
inline std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
    PrintTo(r, &os);
    return os;
}
inline std::ostream& operator<<(std::ostream& os, const SkinPoint& p) {
    PrintTo(p, &os);
    return os;
}
inline std::ostream& operator<<(std::ostream& os, const SkinSize& s) {
    PrintTo(s, &os);
    return os;
}
