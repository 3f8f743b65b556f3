#include "skin/dialogs/MessageBoxLayout.h"

SkinMsgBoxPlacement LayoutMessageBox(const SkinMsgBoxMeasure& m) {
    SkinMsgBoxPlacement p;
    const SkinRect& s = m.textStatic;
    const std::int32_t tw = m.text.cx, th = m.text.cy;
    const std::int32_t hw = m.hasHeading ? m.heading.cx : 0;
    const std::int32_t hh = m.hasHeading ? m.heading.cy : 0;
    const std::int32_t w = tw > hw ? tw : hw;

    // The text block keeps S's left edge when wider and is centred on S's
    // centre when narrower.
    std::int32_t dx = w - s.Width();
    if (dx < 0) dx = 0;
    std::int32_t dy = th - s.Height();
    if (dy < 0) dy = 0;
    const std::int32_t cx = (s.left + s.right) / 2 + dx / 2;
    std::int32_t cy = (s.top + s.bottom) / 2 + dy / 2;

    if (m.hasHeading) {
        p.heading = SkinRect{cx - w / 2, cy - th / 2, cx - w / 2 + hw, cy - th / 2 + hh};
        dy += hh;
        cy += hh;
    }
    p.text = SkinRect{cx - w / 2, cy - th / 2, cx - w / 2 + w, cy - th / 2 + th};

    std::int32_t bottomExtra = 0;
    if (m.hasChild) {
        std::int32_t shift;
        if (m.childAtBottom) {
            shift = m.window.Height() - m.gap / 2 + dy;
            bottomExtra = m.child.Height();
        } else {
            shift = cy + th / 2 + m.gap / 2;
            dy += m.child.Height();
        }
        p.child = SkinPoint{m.child.left + dx / 2, m.child.top + shift};
    }

    p.dx = dx;
    p.dy = dy;
    p.box = SkinSize{m.window.Width() + dx, m.window.Height() + bottomExtra + dy};
    return p;
}

SkinPoint MessageBoxButtonPosition(const SkinMsgBoxPlacement& placement, SkinRect button) {
    return SkinPoint{button.left + placement.dx / 2, button.top + placement.dy};
}
