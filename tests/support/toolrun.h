#pragma once
// Running orvanta-tool as the adviser does: the one beside the delivered data
// (ORVANTA_DATA_DIR, set by CTest).

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orvanta::testing {

struct Run {
    int exitCode = -1;
    bool crashed = true;
    QByteArray out;
    QByteArray err;
};

inline QString ToolPath() {
    return qEnvironmentVariable("ORVANTA_DATA_DIR") + QStringLiteral("/orvanta-tool");
}

// Starts the tool without waiting for it; input is written to its standard
// input, which is then closed.
inline void startTool(QProcess& p, const QStringList& args, const QByteArray& input = {},
                      const QString& workingDir = {}) {
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(ToolPath(), args);
    if (!p.waitForStarted(30000))
        return;
    p.write(input);
    p.closeWriteChannel();
}

// Waits for a started tool to end and collects what it said.
inline Run finished(QProcess& p, int timeoutMs = 30000) {
    Run r;
    if (!p.waitForFinished(timeoutMs))
        return r;
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// Runs the tool with input as its standard input, which is then closed.
inline Run tool(const QStringList& args, const QByteArray& input = {},
                const QString& workingDir = {}, int timeoutMs = 30000) {
    QProcess p;
    startTool(p, args, input, workingDir);
    return finished(p, timeoutMs);
}

} // namespace orvanta::testing
