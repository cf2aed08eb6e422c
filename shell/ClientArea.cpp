#include "shell/ClientArea.h"

#include "shell/Twips.h"

#include <QPainter>

ClientArea::ClientArea(const MainLayout::Geometry &geometry, QWidget *parent)
    : QWidget(parent)
    , geometry_(geometry)
{
}

void ClientArea::setFrameVisible(bool visible)
{
    frameVisible_ = visible;
    update();
}

void ClientArea::paintEvent(QPaintEvent *)
{
    if (!frameVisible_)
        return;
    QPainter p(this);
    // A strip narrower than a pixel has no outline: drawRect would still draw one.
    if (const QRect px = Twips::toPixels(geometry_.Shape1); !px.isEmpty()) {
        // drawRect covers one pixel more than its size to the right and below.
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(px.adjusted(0, 0, -1, -1));
    }
    p.setPen(palette().color(QPalette::Light));
    for (const QLineF &line : geometry_.Line1)
        if (!line.isNull())
            p.drawLine(Twips::toPixels(line.p1()), Twips::toPixels(line.p2()));
}
