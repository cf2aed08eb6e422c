#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

// Runs the built varnock-cli (path given by the build) and collects what it
// wrote. A crash or a run past two minutes gives exit code -1.
struct CliRun {
    int exitCode = -1;
    QByteArray out, err;
    QStringList lines() const { return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts); }
};

// shellPrefix runs in /bin/sh first (limits, redirections), then execs the program.
inline CliRun runCli(const QStringList &arguments, const QString &shellPrefix = QString())
{
    QProcess process;
    const QString program = QStringLiteral(VARNOCK_CLI_PATH);
    if (shellPrefix.isEmpty())
        process.start(program, arguments);
    else
        process.start(u"/bin/sh"_qs, QStringList{u"-c"_qs, shellPrefix + u"; exec \"$0\" \"$@\""_qs, program} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Arguments written as one blank-separated string.
inline QStringList args(const char *text) { return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts); }

inline QByteArray fileBytes(const QString &path) { QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"; }
