// Times whole runs of the main window on the offscreen platform: start-up
// until the window is shown, and Enter in the filter box until "Ready.".
// Prints medians of five; never fails.
#include "engine/RandomSource.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest/QTest>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

// Any box during a benchmark is a fault worth seeing, not answering.
class CountingDialogs final : public Dialogs {
public:
    int shown = 0;
    void message(QWidget *, const QString &text, const QString &, Icon) override
    {
        ++shown;
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget *, const QString &, const QString &) override { return ++shown, false; }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override { return ++shown, QString(); }
    QString openFile(QWidget *, const QString &, const FilterPairs &, const QString &, const QString &) override
    {
        return ++shown, QString();
    }
};

// CPU time of this thread: on a machine shared with other jobs it moves far
// less than the wall clock, so both are printed.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void waitShown(QWidget &window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// One start-up in this process: application object, window, shown.
int startupOnce(int argc, char **argv, const QString &ini)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    XoshiroRandom random(1);
    SettingsStore settings(QStringLiteral("Varnock"), ini);
    CountingDialogs dialogs;
    frmMain window(settings, random, dialogs);
    waitShown(window);
    std::printf("%.3f\n", clock.nsecsElapsed() / 1e6);
    return 0;
}

double startupMedian(const QString &self, const QString &ini)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        child.start(self, {QStringLiteral("--startup-once"), ini});
        child.waitForFinished(60000);
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    return median(times);
}

Timing runMedian(const QString &ini, int count, bool fast)
{
    SettingsStore settings(QStringLiteral("Varnock"), ini);
    settings.save(QStringLiteral("Options"), QStringLiteral("HowMany"), QString::number(count));
    settings.saveFlag(QStringLiteral("Options"), QStringLiteral("FastMode"), fast);
    settings.saveFlag(QStringLiteral("Options"), QStringLiteral("Sort"), true);
    settings.saveFlag(QStringLiteral("Options"), QStringLiteral("KillDupes"), true);
    XoshiroRandom random(20261206);
    CountingDialogs dialogs;
    frmMain window(settings, random, dialogs);
    waitShown(window);
    auto *filter = window.findChild<QComboBox *>(QStringLiteral("txtFilter"));
    auto *status = window.findChild<QLabel *>(QStringLiteral("lblStatus"));
    filter->setEditText(QStringLiteral("Marion"));

    std::vector<double> walls, cpus;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        const double cpu0 = threadCpuMs();
        clock.start();
        QTest::keyClick(filter->lineEdit(), Qt::Key_Return);
        // The list's paint is part of the run.
        QCoreApplication::processEvents();
        walls.push_back(clock.nsecsElapsed() / 1e6);
        cpus.push_back(threadCpuMs() - cpu0);
        if (status->text() != u"Ready." || dialogs.shown)
            std::fprintf(stderr, "run did not end with Ready.\n");
    }
    return {median(walls), median(cpus)};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--startup-once")
        return startupOnce(1, argv, QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    if (argc == 4 && QByteArray(argv[1]) == "--run") {
        // One case alone, for a profiler: --run COUNT FAST(0|1)
        QApplication app(argc, argv);
        const Timing t = runMedian(dir.filePath(QStringLiteral("Varnock.conf")), atoi(argv[2]), atoi(argv[3]) != 0);
        std::printf("%.3f wall, %.3f cpu\n", t.wall, t.cpu);
        return 0;
    }
    const QString ini = dir.filePath(QStringLiteral("Varnock.conf"));
    const double startup = startupMedian(QString::fromLocal8Bit(argv[0]), ini);

    QApplication app(argc, argv);
    std::printf("window benchmark, median of 5 (ms)        wall       cpu\n");
    std::printf("  start-up until shown           %8.3f         -  (target 50)\n", startup);
    const auto row = [&](const char *name, int count, bool fast, const char *target) {
        const Timing t = runMedian(ini, count, fast);
        std::printf("  %-29s %8.3f  %8.3f  %s\n", name, t.wall, t.cpu, target);
    };
    row("Marion, 500 words, fast", 500, true, "(target 3)");
    row("Marion, 30000 words, fast", 30000, true, "(target 16)");
    row("Marion, 30000 words, fast off", 30000, false, "");
    return 0;
}
