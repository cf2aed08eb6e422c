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

namespace {

QPoint toPixels(const QPointF &twips) { return QPoint(Twips::toPixels(twips.x()), Twips::toPixels(twips.y())); }

} // namespace

void ClientArea::paintEvent(QPaintEvent *)
{
    if (!frameVisible_)
        return;
    QPainter p(this);
    const QRectF &s = geometry_.Shape1;
    if (s.width() > 0 && s.height() > 0) {
        // drawRect covers one pixel more than its size to the right and below.
        const QRect px(toPixels(s.topLeft()), QSize(Twips::toPixels(s.width()), Twips::toPixels(s.height())));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(px.adjusted(0, 0, -1, -1));
    }
    p.setPen(palette().color(QPalette::Light));
    for (const QLineF &line : geometry_.Line1)
        if (!line.isNull())
            p.drawLine(toPixels(line.p1()), toPixels(line.p2()));
}
