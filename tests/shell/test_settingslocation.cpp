#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Other tools (and the end-to-end tests) find the settings by their file
// name, so where the store lands is part of its contract.
class TestSettingsLocation : public QObject {
    Q_OBJECT
    // QSettings reads the config folder once per process, so one folder
    // serves every row.
    QTemporaryDir config;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    }

    void perUserFileNamedAfterTheApplication_data()
    {
        QTest::addColumn<QString>("app");
        QTest::newRow("Varnock") << QStringLiteral("Varnock");
        QTest::newRow("Kestrin") << QStringLiteral("Kestrin");
    }
    void perUserFileNamedAfterTheApplication()
    {
        QFETCH(QString, app);
        const QString expected = config.path() + u'/' + app + u'/' + app + QStringLiteral(".conf");
        {
            SettingsStore store(app);
            QCOMPARE(QDir::cleanPath(store.filePath()), QDir::cleanPath(expected));
            store.save(QStringLiteral("Options"), QStringLiteral("HowMany"), QStringLiteral("12"));
        }
        QFile file(expected);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[Options]") && text.contains("HowMany=12"), text.constData());
    }
};

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "test_settingslocation.moc"
