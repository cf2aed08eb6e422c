#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The picture box under the status strip: a persistent image that
// drawProgress redraws whole and shows at once, and the panel that holds the
// two selection buttons.
class ProgressBox : public QWidget {
    Q_OBJECT

public:
    static constexpr QRgb navy = 0xff000080;
    static constexpr QRgb white = 0xffffffff;

    explicit ProgressBox(QWidget *parent = nullptr);

    // White box, caption centred in navy, and a navy bar from the left under
    // which the caption turns white. Repaints before returning.
    void drawProgress(float fraction, const QString &caption);

    // Changing the background clears the box to that colour.
    void setBackColor(const QColor &color);
    QColor backColor() const { return back_; }

    // What the box shows, one pixel per device pixel.
    const QImage &image() const { return image_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void clearImage();
    void prepareStrips(const QString &caption);

    QImage image_;
    // The box with its caption and no bar, and the same fully covered by the
    // bar, drawn anew for every step: a hundred small strips a run cost less
    // than keeping track of what they were drawn with.
    QImage blank_;
    QImage full_;
    QColor back_ = QColor(white);
};
