#include "shell/ProgressBox.h"

#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

int roundHalfEven(double value)
{
    try {
        return roundToInt16(value);
    } catch (const VarnockError &) {
        return value < 0 ? -32768 : 32767;
    }
}

} // namespace

ProgressBox::ProgressBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    clearImage();
}

void ProgressBox::clearImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));
    if (image_.size() != pixels)
        image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
    image_.fill(back_);
}

void ProgressBox::setBackColor(const QColor &color)
{
    back_ = color;
    clearImage();
    update();
}

void ProgressBox::drawProgress(float fraction, const QString &caption)
{
    back_ = QColor(white);
    clearImage();

    const double width = this->width();
    const double height = this->height();
    QPainter p(&image_);
    p.setFont(font());
    const QFontMetricsF metrics(font());
    const int tw = roundHalfEven(metrics.horizontalAdvance(caption));
    const int th = roundHalfEven(metrics.height());
    const int x = roundHalfEven(width / 2 - tw / 2.0);
    const int y = roundHalfEven(height / 2 - th / 2.0);

    p.fillRect(QRect(x, y, tw, th), QColor(white));
    p.setPen(QColor(navy));
    p.drawText(QPointF(x, y + metrics.ascent()), caption);

    // Not-xor turns white under the bar navy and the navy caption white.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    if (fraction > 0) {
        const int barWidth = roundHalfEven(width * double(fraction));
        p.fillRect(QRect(0, 0, barWidth, int(height)), QColor(navy));
    }
    p.end();
    // The callers often keep the thread busy, so paint now rather than later.
    repaint();
}

void ProgressBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}

void ProgressBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    clearImage();
}
