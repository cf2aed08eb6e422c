#pragma once

#include "shell/MainLayout.h"

#include <QWidget>

// The main window's client area. It draws the sunken frame of the status
// strip (Shape1 in the button-shadow colour, the two Line1 edges in the
// highlight colour) from the twip geometry of the last layout pass.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    ClientArea(const MainLayout::Geometry &geometry, QWidget *parent = nullptr);

    // Whether the status frame is drawn; off in direct-save mode.
    void setFrameVisible(bool visible);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const MainLayout::Geometry &geometry_;
    bool frameVisible_{}; // set as the window loads
};
