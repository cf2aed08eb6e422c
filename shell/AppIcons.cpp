#include "shell/AppIcons.h"

#include <QStringList>

// The resources live in a static library: referencing their initialiser here
// keeps the linker from dropping them. Registering them again is a no-op.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {
QIcon iconFor(const QString &name)
{
    initIconResources();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name), QSize(size, size));
    return icon;
}
} // namespace

namespace AppIcons {
QIcon varnock()
{
    return iconFor(QStringLiteral("org.varnock.Varnock"));
}

QIcon kestrin()
{
    return iconFor(QStringLiteral("org.varnock.Kestrin"));
}
} // namespace AppIcons
