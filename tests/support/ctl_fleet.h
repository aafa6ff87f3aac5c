#pragma once
// talvikctl run as a program against simulated boards on loopback: a fleet of them on
// ephemeral ports, and a run's exit code and output.

#include "board_simulator.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace talvik::sim {

struct Run {
    int exit = -1;
    QByteArray out, err;
    QList<QJsonObject> json() const
    {
        QList<QJsonObject> lines;
        for (const QByteArray& line : out.split('\n'))
            if (!line.isEmpty())
                lines.append(QJsonDocument::fromJson(line).object());
        return lines;
    }
};

inline QString program()
{
    return QCoreApplication::applicationDirPath() + "/../tools/talvikctl";
}

inline QByteArray hex(const QByteArray& bytes)
{
    return bytes.toHex();
}

// talvikctl with `args`, its user's data folder `dataHome` (its journal is the test's); the
// event loop runs meanwhile, so simulated boards answer.
inline Run runCtl(const QStringList& args, const QString& dataHome, const QByteArray& input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(environment);
    process.start(program(), args);
    Run run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    QSignalSpy finished(&process, &QProcess::finished);
    if (!finished.wait(60000))
        process.kill();
    run.exit = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A fleet of simulated boards, all on the same two ephemeral ports.
struct Fleet {
    BoardSimulator sim;
    QList<QByteArray> seen; // every datagram any board took in
    QTemporaryDir dataHome; // the user's data folder of each run: its journal is the test's

    explicit Fleet(const QStringList& definitions, const SimOptions& simOptions = options()) : sim(simOptions)
    {
        for (const QString& text : definitions) {
            QString error;
            QVERIFY2(sim.addBoards(text, &error), qPrintable(error));
        }
        QObject::connect(&sim, &BoardSimulator::received,
                         [this](int, const QByteArray& d) { seen.append(d); });
    }
    static SimOptions options()
    {
        SimOptions o;
        o.ports = {0, 0};
        o.rebootMs = 200;
        return o;
    }
    // talvikctl on a port of its own, pointed at the fleet's ports; the event loop runs
    // meanwhile, so the boards answer.
    QString journalFile() const
    {
        return dataHome.filePath(QStringLiteral("TalvikCom/journal/journal.jsonl"));
    }
    QStringList withPorts(QStringList args, quint16 localPort = 0)
    {
        if (args.first() == QLatin1String("history") || args.first() == QLatin1String("retry") ||
            args.first() == QLatin1String("sites"))
            return args; // sent nothing; a retry takes the options its run was given
        const QList<quint16> p = sim.ports(0);
        args << "--local-port" << QString::number(localPort) << "--ports"
             << QString("%1,%2").arg(p[0]).arg(p[1]) << "--timeout"
             << "300";
        if (args.first() == "reboot")
            args << "--word-port" << QString::number(p[0]);
        return args;
    }
    Run ctl(const QStringList& args, quint16 localPort = 0, const QByteArray& input = {})
    {
        return runCtl(withPorts(args, localPort), dataHome.path(), input);
    }
};

} // namespace talvik::sim
