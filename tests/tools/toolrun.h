#pragma once
// Running orvanta-tool as the adviser does, and reading what it wrote.

#include "core/planfile.h"
#include "core/planrecordfields.h"
#include "core/xorcodierung.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cstring>

namespace orvanta::testtool {

struct Run {
    int exitCode = -1;
    bool crashed = true;
    QByteArray out;
    QByteArray err;
};

// Starts the tool without waiting for it; input is written to its standard
// input, which is then closed.
inline void startTool(QProcess& p, const QStringList& args,
                      const QByteArray& input = QByteArray()) {
    p.start(QStringLiteral(ORVANTA_TOOL), args);
    if (!p.waitForStarted(30000))
        return;
    p.write(input);
    p.closeWriteChannel();
}

// Waits for a started tool to end and collects what it said.
inline Run finished(QProcess& p) {
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// Runs the tool with input as its standard input, which is then closed.
inline Run tool(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    startTool(p, args, input);
    return finished(p);
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

} // namespace orvanta::testtool
