// make, dump and set-password: the plan record between its binary data file
// and readable JSON.

#include "tools/commands.h"
#include "tools/recordjson.h"

#include "core/cp1252.h"
#include "core/errors.h"
#include "core/osfile.h"
#include "core/planfile.h"
#include "core/planrecordfields.h"
#include "core/speicherschutz.h"
#include "core/xorcodierung.h"
#include "platform/datafilelock.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace orvanta::tool {

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// The first line of standard input without its line end (LF or CR LF); an
// input without any line is an empty password. False on a read error.
bool readPasswordLine(std::string& line) {
    line.clear();
    line.reserve(1024); // growing would leave copies of the start in freed memory
    int c;
    while ((c = std::getchar()) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (std::ferror(stdin))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

int usage(const char* line) {
    std::fprintf(stderr, "Aufruf: orvanta-tool %s\n", line);
    return ExitUsage;
}

int failure(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", where.c_str(), what.c_str());
    return ExitFailure;
}

QString qpath(const std::string& path) {
    return QString::fromLocal8Bit(path.c_str());
}

// Another writer (the program's open window, or a second run of the tool)
// usually lets go within moments; the program holds it until it ends.
constexpr std::chrono::milliseconds LockWait(3000);

// Takes the data file's lock for one read-change-write. False, with the
// reason on standard error, when another process holds it. Where no lock file
// can be made (a directory without write access) the file is written without
// one, as the save itself then decides what is possible.
bool lockForWriting(TDataFileLock& lock) {
    const TDataFileLock::Zustand z = lock.Sperren(LockWait);
    if (z != TDataFileLock::Zustand::Belegt)
        return true;
    std::fprintf(stderr, "%s\n", lock.Hinderungsgrund(z).toUtf8().constData());
    return false;
}

} // namespace

int cmdMake(const Args& args) {
    if (args.size() != 2)
        return usage("make QUELLE.json ZIEL.Dat");
    const std::string& source = args[0];
    const std::string& target = args[1];

    // A FIFO or device as the source is refused at once instead of waited on.
    std::string bytes;
    int readError = 0;
    if (!os::ReadWholeFile(source, bytes, readError))
        return failure(source, InOutErrorText(InOutErrorCode(readError)));
    const QByteArray data = QByteArray::fromStdString(bytes);
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(NegativeZerosAsText(data), &err);
    if (err.error != QJsonParseError::NoError)
        return failure(source, "keine gültige JSON-Datei (Fehler bei Zeichen " +
                                   std::to_string(err.offset) + ")");
    if (!doc.isObject())
        return failure(source, "ein JSON-Objekt mit den Feldern des Datensatzes wird erwartet");

    // A new file: every byte the source does not name, unused ranges
    // included, is zero.
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    try {
        PlanRecordFromJson(rec, doc.object());
    } catch (const EOrvantaError& e) {
        return failure(source, e.what());
    }
    // Durations and ages the window could never enter would make every
    // calculation refuse the file: say which field it is now.
    if (const TGrenzfehler g = PruefeGrenzen(rec); g.Feld != nullptr)
        return failure(source, std::string("Feld ") + g.Feld + ": " + std::to_string(g.Wert) +
                                   " liegt außerhalb des Bereichs " + std::to_string(g.Min) +
                                   " bis " + std::to_string(g.Max) +
                                   (g.OhneVerzehrErlaubt
                                        ? " oder " + std::to_string(AuszDauerOhneKapitalverzehr)
                                        : ""));
    TDataFileLock lock(qpath(target));
    if (!lockForWriting(lock))
        return ExitFailure;
    try {
        SavePlanRecord(rec, target);
    } catch (const EOrvantaError& e) {
        return failure(target, e.what());
    }
    return 0;
}

int cmdDump(const Args& args) {
    if (args.size() != 1)
        return usage("dump DATEI.Dat");
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    try {
        // Shown as it is stored: no version replacement, a read-only file is fine.
        ReadPlanRecordFile(rec, args[0], OpenFor::Reading);
    } catch (const EOrvantaError& e) {
        return failure(args[0], e.what());
    }
    const std::string text = PlanRecordJsonText(rec);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitFailure;
}

int cmdSetPassword(const Args& args) {
    if (args.size() != 3)
        return usage("set-password N TEXT|- DATEI.Dat");
    const std::string& number = args[0];
    const std::string& path = args[2];
    if (number != "1" && number != "2" && number != "3") {
        std::fputs("Die Passwortnummer muss 1, 2 oder 3 sein.\n", stderr);
        return ExitUsage;
    }
    const PlanRecordField* field = FindPlanRecordField("Passwort_" + number);

    // No core dump while the plain password is in memory; every copy of it
    // is overwritten before it is freed.
    const TOhneSpeicherabzug ohneAbzug;
    struct Klartext {
        std::string typed, plain;
        ~Klartext() {
            Ueberschreiben(typed);
            Ueberschreiben(plain);
        }
    } pw;
    std::string& typed = pw.typed;
    std::string& plain = pw.plain;

    // "-" takes the password from standard input, so it shows neither in the
    // process list nor in the shell's history.
    typed = args[1];
    if (typed == "-" && !readPasswordLine(typed)) {
        std::fputs("Das Passwort kann nicht von der Standardeingabe gelesen werden.\n", stderr);
        return ExitFailure;
    }
    if (!TryUtf8ToCp1252(typed, plain)) {
        std::fputs("Das Passwort enthält Zeichen, die Windows-1252 nicht kennt.\n", stderr);
        return ExitUsage;
    }
    if (plain.empty()) {
        std::fputs("Das Passwort darf nicht leer sein.\n", stderr);
        return ExitUsage;
    }
    if (plain.size() > field->Capacity) {
        std::fprintf(stderr, "Das Passwort %s darf höchstens %zu Zeichen lang sein.\n",
                     number.c_str(), field->Capacity);
        return ExitUsage;
    }

    // Read and write back under one lock, so that no other writer's change
    // falls between them and is lost.
    TDataFileLock lock(qpath(path));
    if (!lockForWriting(lock))
        return ExitFailure;
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    try {
        ReadPlanRecordFile(rec, path, OpenFor::ReadingAndWriting);
        // Clear the whole field first so no tail of the old password stays in the file.
        SetText(rec, *field, 0, std::string(field->Capacity, '\0'));
        std::string scrambled = XorCodierung(plain);
        SetText(rec, *field, 0, scrambled);
        Ueberschreiben(scrambled);
        SavePlanRecord(rec, path);
    } catch (const EOrvantaError& e) {
        return failure(path, e.what());
    }
    std::printf("Passwort %s gespeichert.\n", number.c_str());
    return 0;
}

} // namespace orvanta::tool
