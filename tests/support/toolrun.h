#pragma once
// Running orvanta-tool as the adviser does: the one beside the delivered data
// (ORVANTA_DATA_DIR, set by CTest); and reading what it wrote.

#include "core/planfile.h"
#include "core/planrecordfields.h"
#include "core/xorcodierung.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstring>
#include <string>

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

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

inline TPlanRecord readRecord(const QString& path) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    ReadPlanRecordFile(rec, path.toStdString(), OpenFor::Reading);
    return rec;
}

// A stored password in plain text.
inline std::string plainPassword(const TPlanRecord& rec, const char* field) {
    return XorCodierung(GetText(rec, *FindPlanRecordField(field)));
}

} // namespace orvanta::testing
