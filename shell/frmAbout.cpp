#include "shell/frmAbout.h"

#include "engine/NumberText.h"
#include "shell/AppIcons.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"
#include "shell/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
// A horizontal line of the given colour, from x1 to x2 twips at y twips.
QFrame *makeLine(QWidget *parent, const QString &name, QColor colour, int x1, int x2, int y, int pixels)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setGeometry(Twips::toPixels(x1), Twips::toPixels(y), Twips::toPixels(x2) - Twips::toPixels(x1), pixels);
    return line;
}
} // namespace

frmAbout::frmAbout(SettingsStore &settings, Dialogs &dialogs, QWidget *parent)
    : frmAbout(settings, dialogs, SystemInfo::systemPlatform(), parent)
{
}

frmAbout::frmAbout(SettingsStore &settings, Dialogs &dialogs, SystemInfo::Platform platform, QWidget *parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs), platform_(std::move(platform))
{
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog frame: no minimise or maximise, no taskbar entry of its own.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::toPixels(5730), Twips::toPixels(3555));
    buildControls();
    Form_Load();
}

void frmAbout::buildControls()
{
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(Twips::toPixels(QRectF(300, 240, 540, 540)));
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(Twips::toPixels(QRectF(1050, 240, 3885, 480)));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(Twips::toPixels(QRectF(1050, 780, 3885, 225)));

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(Twips::toPixels(QRectF(1050, 1080, 3885, 1170)));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The etched separator: a 2-pixel white line under a grey one (made
    // later, so drawn over it).
    Line1_0 = makeLine(this, QStringLiteral("Line1_0"), QColor(0xFF, 0xFF, 0xFF), 105, 5654, 2460, 2);
    Line1_1 = makeLine(this, QStringLiteral("Line1_1"), QColor(0x80, 0x80, 0x80), 90, 5654, 2460, 1);

    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setGeometry(Twips::toPixels(QRectF(60, 2520, 4050, 1005)));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setText(QStringLiteral(
        "Notice: this program is protected by copyright. It is provided as it is, without any warranty; "
        "the words it invents are yours to use at your own risk."));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::toPixels(QRectF(4245, 2625, 1260, 345)));
    // The dialog makes its first auto-default button the default when shown:
    // OK, since System Info is not one.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setAccessibleName(QStringLiteral("System information"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(Twips::toPixels(QRectF(4260, 3075, 1245, 345)));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    const QString title = settings_.applicationName();
    // A stored count past 32 bits shows the default, as the count box does.
    const QString howMany =
        countPrefill(settings_.get(VarnockSettings::HowMany), VarnockSettings::HowMany.defaultText());
    lblDescription->setText(
        QStringLiteral("Varnock generates words of a particular form. When you enter a word in the box, it is "
                       "analyzed and ")
        + howMany + QStringLiteral(" new words based on your filter are generated."));
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QIcon icon = owner && !owner->windowIcon().isNull() ? owner->windowIcon() : AppIcons::varnock();
    picIcon->setPixmap(icon.pixmap(QSize(32, 32)));
    setWindowTitle(QStringLiteral("About ") + title);
    setWindowIcon(icon);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(VARNOCK_VERSION_MAJOR)
                            .arg(VARNOCK_VERSION_MINOR)
                            .arg(VARNOCK_VERSION_PATCH));
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    if (!SystemInfo::startTool(platform_))
        dialogs_.message(this, QStringLiteral("System Information Is Unavailable At This Time"),
                         settings_.applicationName(), Dialogs::Icon::None);
}
