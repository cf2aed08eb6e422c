#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

// Every message box, question, input box and open-file dialog of the
// programs goes through this seam, so tests can script the answers.
class Dialogs {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    // Description / pattern list ("*.nam;*.txt") pairs, first one selected.
    using FilterPairs = QList<QPair<QString, QString>>;

    virtual ~Dialogs() = default;

    // A modal box with an OK button.
    virtual void message(QWidget *parent, const QString &text, const QString &title, Icon icon) = 0;
    // A modal Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text, const QString &title) = 0;
    // A modal input box; "" for Cancel (as for an emptied entry).
    virtual QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // The open-file dialog: "" when cancelled. A typed name of a file that
    // does not exist asks whether to create it; yes returns that path
    // (nothing is created). A name without suffix gets defaultSuffix.
    virtual QString openFile(QWidget *parent, const QString &title, const FilterPairs &filters,
                             const QString &defaultSuffix, const QString &startFolder) = 0;
};
