#include "shell/WindowPlacement.h"

#include "shell/Placement.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// How long after it is shown (or placed) a window still takes the geometry
// it was given when its frame or state changes: 40 checks 25 ms apart.
constexpr int settleChecks = 40;
constexpr int settleInterval = 25;

constexpr Qt::WindowStates notNormal = Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

} // namespace

WindowPlacement::WindowPlacement(QWidget *window, SettingsStore &settings,
                                 const VarnockSettings::PlacementKeys &keys)
    : QObject(window)
    , window_(window)
    , settings_(settings)
    , keys_(keys)
    , designOuter_(keys.Width.defaultText().toDouble(), keys.Height.defaultText().toDouble())
    , settle_(new QTimer(this))
{
    settle_->setInterval(settleInterval);
    connect(settle_, &QTimer::timeout, this, &WindowPlacement::settleCheck);
    window->installEventFilter(this);
}

void WindowPlacement::settleCheck()
{
    if (--checksLeft_ <= 0) {
        settle_->stop();
        // Once settled, a maximised window keeps its target as the size
        // it returns to; a normal one lets it go.
        if (!(window_->windowState() & notNormal))
            target_ = QRectF();
    }
    if (target_.isValid() && margins() != appliedWith_)
        apply();
}

QMargins WindowPlacement::margins() const
{
    const QWindow *handle = window_->windowHandle();
    return handle && window_->isVisible() ? handle->frameMargins() : QMargins();
}

QRectF WindowPlacement::outerGeometry() const
{
    return Twips::fromPixels(window_->frameGeometry());
}

QRectF WindowPlacement::normalOuterGeometry() const
{
    if (target_.isValid())
        return target_;
    if (!(window_->windowState() & notNormal))
        return outerGeometry();
    const QRect inner = window_->normalGeometry();
    return Twips::fromPixels(inner.marginsAdded(margins()));
}

void WindowPlacement::setOuterGeometry(const QRectF &twips)
{
    target_ = twips;
    checksLeft_ = settleChecks;
    if (window_->isVisible())
        settle_->start();
    apply();
}

void WindowPlacement::apply()
{
    // A maximised window keeps the target for when it returns to normal.
    if ((window_->windowState() & notNormal) && window_->isVisible())
        return;
    appliedWith_ = margins();
    const QRect outer = Twips::toPixels(target_);
    window_->resize((outer.size().shrunkBy(appliedWith_)).expandedTo(QSize(1, 1)));
    // For a window, move() places the frame's corner.
    window_->move(outer.topLeft());
}

bool WindowPlacement::eventFilter(QObject *, QEvent *event)
{
    // Shown, or back in the normal state: it settles on the target again,
    // applied once the event loop has turned.
    const bool normal = !(window_->windowState() & notNormal);
    if (target_.isValid() && (event->type() == QEvent::Show || (event->type() == QEvent::WindowStateChange && normal))) {
        checksLeft_ = settleChecks;
        settle_->start();
        if (normal)
            QMetaObject::invokeMethod(this, [this] { if (target_.isValid()) apply(); }, Qt::QueuedConnection);
    }
    return false;
}

QRectF WindowPlacement::centredOnScreen(QSizeF twips) const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRectF area = screen ? Twips::fromPixels(screen->geometry()) : QRectF();
    return QRectF(area.width() / 2 - twips.width() / 2, area.height() / 2 - twips.height() / 2, twips.width(),
                  twips.height());
}

void WindowPlacement::restore()
{
    // Text that is no number (hand-edited settings) reads as the key's default.
    const auto stored = [this](const SettingKey &key, double fallback) {
        return float(Placement::storedNumber(settings_.get(key), Placement::storedNumber(key.defaultText(), fallback)));
    };
    if (Placement::storedNumber(settings_.get(keys_.WindowState), keys_.WindowState.defaultText().toDouble()) == 2) {
        setOuterGeometry(centredOnScreen(designOuter_));
        window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
        return;
    }
    // A size of nothing (or less) is as unusable as no number at all.
    const auto size = [&stored](const SettingKey &key, double fallback) {
        const float value = stored(key, fallback);
        return value > 0 ? value : float(fallback);
    };
    const float height = size(keys_.Height, designOuter_.height());
    const float width = size(keys_.Width, designOuter_.width());
    const QRectF centred = centredOnScreen(QSizeF(width, height));
    const float top = stored(keys_.Top, centred.top());
    const float left = stored(keys_.Left, centred.left());

    QList<QRectF> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens << Twips::fromPixels(s->availableGeometry());
    setOuterGeometry(Placement::keepOnScreen(QRectF(left, top, width, height), screens));
}

void WindowPlacement::save() const
{
    const Qt::WindowStates state = window_->windowState();
    const int number = state.testFlag(Qt::WindowMinimized) ? 1 : state.testFlag(Qt::WindowMaximized) ? 2 : 0;
    // Closed before the target was applied with the frame it got, a window
    // stores where it was going, not the unframed size.
    const bool unframed = target_.isValid() && number == 0 && margins() != appliedWith_;
    const QRectF outer = unframed ? target_ : outerGeometry();
    settings_.save(keys_.WindowState, QString::number(number));
    settings_.save(keys_.Height, QString::number(outer.height()));
    settings_.save(keys_.Width, QString::number(outer.width()));
    settings_.save(keys_.Top, QString::number(outer.top()));
    settings_.save(keys_.Left, QString::number(outer.left()));
}
