#include "shell/MainLayout.h"

#include "engine/NumberText.h"
#include "engine/VarnockError.h"

namespace MainLayout {
namespace {

// A control refuses a negative width or height; the step is then dropped.
void place(QRectF &r, float left, float top, float width, float height)
{
    if (width >= 0 && height >= 0)
        r = QRectF(left, top, width, height);
}

} // namespace

void layoutPass(Geometry &g, double CW, double CH, bool directSave)
{
    const float cw = float(CW);
    const float ch = float(CH);
    place(g.cmdGo, cw - 495, 0, float(g.cmdGo.width()), float(g.cmdGo.height()));
    place(g.txtFilter, 0, 0, cw - 540, float(g.txtFilter.height()));
    if (directSave)
        return;
    place(g.txtNames, 0, 350, cw, ch - 665);
    try {
        layoutStatusBar(g, 0, roundToInt32(ch - 255), roundToInt32(cw));
    } catch (const VarnockError &) {
        // An absurd client size cannot be laid out; the strip stays put.
    }
}

void layoutStatusBar(Geometry &g, qint32 Left, qint32 Top, qint32 Width)
{
    const float L = float(Left), T = float(Top), W = float(Width);
    place(g.lblStatus, L + 30, T + 20, W - 45, 230);

    const QRectF &s = g.lblStatus;
    place(g.picProgBar, float(s.left()) - 15, float(s.top()), float(s.width()) + 15, float(s.height()));

    place(g.Shape1, L, T - 5, W, float(s.height()) + 25);

    const QRectF &sh = g.Shape1;
    const float shL = float(sh.left()), shT = float(sh.top()), shW = float(sh.width()), shH = float(sh.height());
    const float y0 = shT + shH - 5;
    g.Line1[0] = QLineF(shL + 5, y0, shL + shW, y0);
    const float x1 = shL + shW - 15;
    g.Line1[1] = QLineF(x1, shT + 10, x1, shT + shH);

    // The box has no border, so its inner width is its width.
    const float inner = float(g.picProgBar.width());
    const float half = inner / 2 - 50;
    place(g.cmdSelAll, 0, 0, half, 230);
    place(g.cmdSelNone, 0, 0, half, 230);
    g.cmdSelNone.moveLeft(inner - float(g.cmdSelAll.width()));
}

} // namespace MainLayout
