#pragma once
// Running orvanta-tool as the adviser does, and reading what it wrote.

#include "core/planfile.h"
#include "core/planrecordfields.h"
#include "core/xorcodierung.h"
#include "tests/support/toolrun.h"

#include <QFile>
#include <QtTest>

#include <cstring>

namespace orvanta::testtool {

using testing::finished;
using testing::Run;
using testing::startTool;
using testing::tool;

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
