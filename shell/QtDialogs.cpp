#include "shell/QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtDialogs::message(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool QtDialogs::askYesNo(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("questionBox"));
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::inputBox(QWidget *parent, const QString &prompt, const QString &title,
                            const QString &defaultText)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("inputBox"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const FilterPairs &filters,
                            const QString &defaultSuffix, const QString &startFolder)
{
    QStringList nameFilters;
    for (const auto &[description, patterns] : filters) {
        QString list = patterns;
        list.replace(u';', u' ');
        // "*.*" means every file; on systems where names need no dot that is "*".
        list.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        nameFilters << description + QStringLiteral(" (") + list + u')';
    }
    for (;;) {
        QFileDialog dialog(parent, title, startFolder); // an Open box in which a new name may be typed
        dialog.setObjectName(QStringLiteral("openFileDialog"));
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setNameFilters(nameFilters);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QString path = dialog.selectedFiles().value(0); // an accepted box always holds one
        if (QFileInfo::exists(path))
            return path;
        const QString question = QStringLiteral("%1\nThis file does not exist.\nDo you want to create the file?")
                                     .arg(QFileInfo(path).fileName());
        if (askYesNo(parent, question, title))
            return path;
    }
}
