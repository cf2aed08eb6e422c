#include "shell/ProgressBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The default rounding mode takes ties to even. A box's sizes are far
// inside int.
int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

// The image is made at the box's first resize, before anything paints it.
ProgressBox::ProgressBox(QWidget *parent)
    : QWidget(parent)
{
}

void ProgressBox::clearImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));
    if (image_.size() != pixels)
        image_ = QImage(pixels, QImage::Format_RGB32);
    image_.fill(back_); // one colour, which looks the same at any pixel ratio
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
    prepareStrips(caption);
    const double width = this->width();
    const int barWidth = roundHalfEven(width * double(fraction)); // cut to the box below

    // Under not-xor a pixel's new value depends only on its old one, so the
    // box is the uncovered image with the bar's part of the fully covered one.
    image_ = blank_; // its pixel ratio too; the first row written makes it a copy of its own
    const qsizetype barPixels =
        std::clamp<qsizetype>(qsizetype(std::lround(barWidth * blank_.devicePixelRatio())), 0, image_.width());
    for (int y = 0; y < image_.height(); ++y)
        std::memcpy(image_.scanLine(y), full_.constScanLine(y), size_t(barPixels) * 4); // 32-bit pixels
    // The callers often keep the thread busy, so paint now rather than later.
    repaint();
}

void ProgressBox::prepareStrips(const QString &caption)
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));

    blank_ = QImage(pixels, QImage::Format_RGB32);
    blank_.setDevicePixelRatio(dpr);
    blank_.fill(QColor(white));

    const double width = this->width();
    const double height = this->height();
    const QFontMetricsF metrics(font());
    const int tw = roundHalfEven(metrics.horizontalAdvance(caption));
    const int th = roundHalfEven(metrics.height());
    const int x = roundHalfEven(width / 2 - tw / 2.0);
    const int y = roundHalfEven(height / 2 - th / 2.0);
    {
        QPainter p(&blank_);
        p.setFont(font());
        p.setPen(QColor(navy));
        p.drawText(QPointF(x, y + metrics.ascent()), caption);
    }

    // Not-xor turns white under the bar navy and the navy caption white.
    full_ = blank_.copy(); // keeps the pixel ratio
    QPainter p(&full_);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.fillRect(QRect(0, 0, int(std::ceil(width)), int(std::ceil(height))), QColor(navy));
}

void ProgressBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}

void ProgressBox::resizeEvent(QResizeEvent *)
{
    clearImage();
}
