#pragma once

#include "substitute/KestrinSettings.h"

#include <QWidget>

class Dialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class RandomSource;
class SettingsStore;

namespace kestrin {

// Kestrin's one window: rewrites the phrase in txtInput from the original
// charset into the new one, keeping the phrase's capitals.
class frmMain : public QWidget {
    Q_OBJECT
public:
    frmMain(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent = nullptr);

    static inline const QString PlainAlphabet = QString::fromLatin1(KestrinSettings::PlainAlphabet);

    QGroupBox *fmMain = nullptr;
    QLabel *lblPhrase = nullptr;
    QLineEdit *txtInput = nullptr;
    QLabel *lblTranslation = nullptr;
    QLineEdit *txtTranslation = nullptr;
    QGroupBox *fmCharsets = nullptr;
    QLabel *lblOriginal = nullptr;
    QLineEdit *txtOriginal = nullptr;
    QLabel *lblNew = nullptr;
    QLineEdit *txtNew = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // Each returns true when it swallowed the key.
    bool txtInput_KeyPress(int key);
    bool txtNew_KeyPress(int key);
    bool txtOriginal_KeyPress(int key);

    SettingsStore &settings_;
    RandomSource &random_;
    Dialogs &dialogs_;
};

// Starts Kestrin in the running application and returns when it ends.
int runKestrin();

} // namespace kestrin
