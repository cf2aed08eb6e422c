#pragma once

#include "shell/Dialogs.h"

// The real dialogs: QMessageBox, QInputDialog and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget *parent, const QString &text, const QString &title, Icon icon) override;
    bool askYesNo(QWidget *parent, const QString &text, const QString &title) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    QString openFile(QWidget *parent, const QString &title, const FilterPairs &filters,
                     const QString &defaultSuffix, const QString &startFolder) override;
};
