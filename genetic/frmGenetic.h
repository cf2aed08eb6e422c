#pragma once

#include <QDialog>

class Dialogs;
class QLineEdit;
class QListWidget;
class RandomSource;
class SettingsStore;
class WindowPlacement;

// The genetic creator: siblings of the parent word in txtParent are bred into
// lstSiblings; double-clicking a sibling makes it the next parent.
class frmGenetic : public QDialog {
    Q_OBJECT
public:
    frmGenetic(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent = nullptr);

    QLineEdit *txtParent = nullptr;
    QListWidget *lstSiblings = nullptr;

    void GenerateSiblings();
    void RestorePlacement();

public Q_SLOTS:
    void lstSiblings_DblClick();
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    // Enter breeds siblings of the parent word.
    void txtParent_KeyPress(int key);

    SettingsStore &settings_;
    RandomSource &random_;
    Dialogs &dialogs_;
    WindowPlacement *placement_ = nullptr;
    bool unloaded_ = false;
};
