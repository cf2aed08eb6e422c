#pragma once

#include <QWidget>

// What a screen reader announces for a window's controls, in creation order,
// each after the control's own name and before any tooltip ("cmdOK=OK").
inline QStringList accessibleNames(const QWidget &window)
{
    QStringList names;
    for (const QWidget *control : window.findChildren<QWidget *>())
        if (!control->accessibleName().isEmpty())
            names << control->objectName() + u'=' + control->accessibleName() + (control->toolTip().isEmpty() ? QString() : u" / "_qs + control->toolTip());
    return names;
}
