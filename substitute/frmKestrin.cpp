#include "substitute/frmKestrin.h"

#include "engine/CaseShaping.h"
#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"
#include "substitute/Substitute.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace kestrin {

namespace {
const QString Section = QStringLiteral("Options");
const QString OriginalKey = QStringLiteral("OriginalCharset");
const QString NewKey = QStringLiteral("NewCharset");

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

template <typename T>
T *place(QWidget *parent, const char *name, QRect rect)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect rect)
{
    QLabel *l = place<QLabel>(parent, name, rect);
    l->setText(caption);
    return l;
}

// Desktop fonts run wider than the ones the twip layout was drawn for: a
// caption that does not fit before its field gets a slightly smaller font
// instead of being cut off.
void fitBefore(QLabel *label, const QWidget *field)
{
    const int room = field->x() - label->x() - 2;
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > room && font.pointSizeF() > 6.5)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
    // The label may use the whole gap up to its field.
    if (label->width() < room)
        label->resize(room, label->height());
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

frmMain::frmMain(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), settings_(settings), random_(random), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("frmMain"));
    // A fixed border without minimise or maximise buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Twips::toPixels(5715), Twips::toPixels(2190));
    setWindowIcon(AppIcons::kestrin());

    fmMain = place<QGroupBox>(this, "fmMain", twipsRect(60, 60, 5595, 975));
    fmMain->setTitle(QStringLiteral("Main"));
    lblPhrase = label(fmMain, "lblPhrase", QStringLiteral("Phrase:"), twipsRect(120, 270, 675, 195));
    txtInput = place<QLineEdit>(fmMain, "txtInput", twipsRect(1080, 225, 4395, 285));
    txtInput->setAccessibleName(QStringLiteral("Phrase"));
    lblTranslation = label(fmMain, "lblTranslation", QStringLiteral("Translation:"), twipsRect(120, 615, 855, 195));
    txtTranslation = place<QLineEdit>(fmMain, "txtTranslation", twipsRect(1080, 570, 4395, 285));
    txtTranslation->setAccessibleName(QStringLiteral("Translation"));
    txtTranslation->setReadOnly(true);

    fmCharsets = place<QGroupBox>(this, "fmCharsets", twipsRect(60, 1140, 5595, 975));
    fmCharsets->setTitle(QStringLiteral("Charsets"));
    lblOriginal = label(fmCharsets, "lblOriginal", QStringLiteral("Original:"), twipsRect(180, 285, 1275, 195));
    txtOriginal = place<QLineEdit>(fmCharsets, "txtOriginal", twipsRect(1080, 240, 4395, 285));
    txtOriginal->setAccessibleName(QStringLiteral("Original charset"));
    lblNew = label(fmCharsets, "lblNew", QStringLiteral("New:"), twipsRect(180, 600, 1155, 195));
    txtNew = place<QLineEdit>(fmCharsets, "txtNew", twipsRect(1080, 555, 4395, 285));
    txtNew->setAccessibleName(QStringLiteral("New charset"));
    // The field sits over the wide label's right part; keep the field on top.
    txtOriginal->raise();
    txtNew->raise();
    fitBefore(lblPhrase, txtInput);
    fitBefore(lblTranslation, txtTranslation);
    fitBefore(lblOriginal, txtOriginal);
    fitBefore(lblNew, txtNew);

    for (QLineEdit *field : {txtInput, txtOriginal, txtNew})
        field->installEventFilter(this);

    setTabOrder(txtInput, txtTranslation);
    setTabOrder(txtTranslation, txtOriginal);
    setTabOrder(txtOriginal, txtNew);

    Form_Load();
    txtInput->setFocus();
}

void frmMain::Form_Load()
{
    txtOriginal->setText(settings_.get(Section, OriginalKey, PlainAlphabet));
    txtNew->setText(settings_.get(Section, NewKey, PlainAlphabet));
    random_.reseedFromClock();
    setWindowTitle(settings_.applicationName());
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == txtInput && txtInput_KeyPress(key))
            return true;
        if (watched == txtNew && txtNew_KeyPress(key))
            return true;
        if (watched == txtOriginal && txtOriginal_KeyPress(key))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmMain::txtInput_KeyPress(int key)
{
    if (!isEnter(key))
        return false;
    if (txtNew->text().size() != txtOriginal->text().size()) {
        dialogs_.message(this, QStringLiteral("The original and the new charset are not of the same length!"),
                         settings_.applicationName(), Dialogs::Icon::Critical);
        return false;
    }
    settings_.save(Section, OriginalKey, txtOriginal->text());
    settings_.save(Section, NewKey, txtNew->text());
    const QString rewritten = fnSubstitute(txtInput->text(), txtOriginal->text(), txtNew->text());
    txtTranslation->setText(CopyCase(rewritten, txtInput->text()));
    return true;
}

bool frmMain::txtNew_KeyPress(int key)
{
    if (isEnter(key)) {
        txtNew->setText(fnRandomize(txtNew->text(), random_));
        return true;
    }
    if (key == Qt::Key_Escape) {
        txtNew->setText(PlainAlphabet);
        return true;
    }
    return false;
}

bool frmMain::txtOriginal_KeyPress(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    txtOriginal->setText(PlainAlphabet);
    return true;
}

} // namespace kestrin
