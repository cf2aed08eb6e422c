#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QtTest/QtTest>

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void userStoreLivesInConfigFolder()
    {
        // The test runs with its own XDG_CONFIG_HOME.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        QFile::remove(QDir(config).filePath("Varnock/Varnock.conf"));
        {
            SettingsStore store(QStringLiteral("Varnock"));
            QCOMPARE(QDir::cleanPath(store.filePath()), QDir::cleanPath(QDir(config).filePath("Varnock/Varnock.conf")));
            store.save(QStringLiteral("Options"), QStringLiteral("HowMany"), QStringLiteral("250"));
        }
        QFile file(QDir(config).filePath("Varnock/Varnock.conf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[Options]") && text.contains("HowMany=250"), text.constData());

        SettingsStore again(QStringLiteral("Varnock"));
        QCOMPARE(again.get(QStringLiteral("Options"), QStringLiteral("HowMany"), QStringLiteral("500")),
                 QStringLiteral("250"));
        again.deleteSection(QStringLiteral("Options"));
        QCOMPARE(again.get(QStringLiteral("Options"), QStringLiteral("HowMany"), QStringLiteral("500")),
                 QStringLiteral("500"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
