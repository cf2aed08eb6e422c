#pragma once

#include "shell/VarnockSettings.h"

#include <QMargins>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QTimer;
class QWidget;
class SettingsStore;

// The placement of a top-level window kept in one settings section:
// "WindowState" (0 normal, 1 minimised, 2 maximised) and the outer frame's
// "Height", "Width", "Top" and "Left" in twips. Used by every window that
// remembers where it was, so all of them keep the same units and limits.
//
// The frame a window manager draws is known only once it has framed the
// window, after it is shown. A geometry set before (or while the frame or the
// window state is still settling) is applied again whenever the frame
// margins or the window state change, until the window has settled, so that
// the outer frame lands where it was asked to and start/close rounds never
// drift.
class WindowPlacement : public QObject {
public:
    WindowPlacement(QWidget *window, SettingsStore &settings, const VarnockSettings::PlacementKeys &keys);

    // Reads the section and applies it. A stored 2 (or nothing stored)
    // maximises the window, with the design size centred on the screen as
    // the size it returns to when un-maximised.
    void restore();
    // Writes the current state and outer frame.
    void save() const;

    QRectF outerGeometry() const;
    void setOuterGeometry(const QRectF &twips);
    // The given outer size centred on the primary screen, in twips.
    QRectF centredOnScreen(QSizeF twips) const;
    // The outer frame the window has (or will have) in the normal state.
    QRectF normalOuterGeometry() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The frame the window manager draws; a test can play the manager.
    virtual QMargins margins() const;
    // One check of a settling window, every 25 ms.
    void settleCheck();

private:
    void apply();

    QWidget *window_;
    SettingsStore &settings_;
    VarnockSettings::PlacementKeys keys_;
    QSizeF designOuter_;
    QRectF target_;          // twips; valid while the window settles
    QMargins appliedWith_;   // the frame margins the target was applied with
    QTimer *settle_;
    int checksLeft_ = 0;     // set before every start of the timer
};
