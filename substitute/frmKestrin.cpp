#include "substitute/frmKestrin.h"

#include "engine/CaseShaping.h"
#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/Dialogs.h"
#include "shell/ProgramStart.h"
#include "shell/SettingsStore.h"
#include "substitute/KestrinSettings.h"
#include "shell/Twips.h"
#include "substitute/Substitute.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace kestrin {

namespace {

template <typename T>
T *place(QWidget *parent, const char *name, QRect rect)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

// At its written left, top and height in twips; fitLabels gives it its width.
QLabel *label(QWidget *parent, const char *name, const QString &caption, double left, double top, double height)
{
    QLabel *l = place<QLabel>(parent, name, QRect(Twips::toPixels(left), Twips::toPixels(top), 0, Twips::toPixels(height)));
    l->setText(caption);
    return l;
}

// Desktop fonts run larger than the ones the twip layout was drawn for. A
// label keeps the window's font and grows around its centre to show its
// whole text; where a text is wider than the gap before the fields, the
// fields start further right and keep their right edge.
void fitLabels(const QList<QLabel *> &labels, const QList<QLineEdit *> &fields)
{
    constexpr int gap = 4;
    int start = fields.first()->x();
    for (QLabel *label : labels) {
        const QFontMetrics metrics(label->font());
        const int textWidth = metrics.horizontalAdvance(label->text());
        start = std::max(start, label->x() + textWidth + gap);
        const int height = std::max(label->height(), metrics.height());
        label->setGeometry(label->x(), label->y() - (height - label->height()) / 2, label->width(), height);
    }
    for (QLineEdit *field : fields)
        field->setGeometry(start, field->y(), field->x() + field->width() - start, field->height());
    for (QLabel *label : labels)
        label->resize(start - label->x(), label->height());
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

    fmMain = place<QGroupBox>(this, "fmMain", Twips::toPixels(QRectF(60, 60, 5595, 975)));
    fmMain->setTitle(QStringLiteral("Main"));
    lblPhrase = label(fmMain, "lblPhrase", QStringLiteral("Phrase:"), 120, 270, 195);
    txtInput = place<QLineEdit>(fmMain, "txtInput", Twips::toPixels(QRectF(1080, 225, 4395, 285)));
    txtInput->setAccessibleName(QStringLiteral("Phrase"));
    lblTranslation = label(fmMain, "lblTranslation", QStringLiteral("Translation:"), 120, 615, 195);
    txtTranslation = place<QLineEdit>(fmMain, "txtTranslation", Twips::toPixels(QRectF(1080, 570, 4395, 285)));
    txtTranslation->setAccessibleName(QStringLiteral("Translation"));
    txtTranslation->setReadOnly(true);

    fmCharsets = place<QGroupBox>(this, "fmCharsets", Twips::toPixels(QRectF(60, 1140, 5595, 975)));
    fmCharsets->setTitle(QStringLiteral("Charsets"));
    lblOriginal = label(fmCharsets, "lblOriginal", QStringLiteral("Original:"), 180, 285, 195);
    txtOriginal = place<QLineEdit>(fmCharsets, "txtOriginal", Twips::toPixels(QRectF(1080, 240, 4395, 285)));
    txtOriginal->setAccessibleName(QStringLiteral("Original charset"));
    lblNew = label(fmCharsets, "lblNew", QStringLiteral("New:"), 180, 600, 195);
    txtNew = place<QLineEdit>(fmCharsets, "txtNew", Twips::toPixels(QRectF(1080, 555, 4395, 285)));
    txtNew->setAccessibleName(QStringLiteral("New charset"));
    // Both frames sit at the same left, so their fields stay in one column.
    fitLabels({lblPhrase, lblTranslation, lblOriginal, lblNew}, {txtInput, txtTranslation, txtOriginal, txtNew});

    for (QLineEdit *field : {txtInput, txtOriginal, txtNew})
        field->installEventFilter(this);
    // Tab walks the fields in the order they were made: top to bottom.

    Form_Load();
    txtInput->setFocus();
}

void frmMain::Form_Load()
{
    txtOriginal->setText(settings_.get(KestrinSettings::OriginalCharset));
    txtNew->setText(settings_.get(KestrinSettings::NewCharset));
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
    settings_.save(KestrinSettings::OriginalCharset, txtOriginal->text());
    settings_.save(KestrinSettings::NewCharset, txtNew->text());
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

int runKestrin()
{
    return runProgram<frmMain>({QString::fromLatin1(KestrinTitle), QStringLiteral("org.varnock.Kestrin"), AppIcons::kestrin()});
}

} // namespace kestrin
