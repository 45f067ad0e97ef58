#pragma once
// Helpers of the main window tests: a temporary program directory with a
// known plan, the program's windows on it, and a fixture for the adviser
// functions reached with hidden keys.

#include "app/programwindows.h"
#include "app/tfrm_perfmain.h"
#include "core/cp1252.h"
#include "core/formatsettings.h"
#include "core/planfile.h"
#include "core/planrecord.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tpassworddlg.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/testplans.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/widgettools.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <optional>

namespace orvanta::testing {

// Types text into a number or text field and commits it with Enter (or
// leaves it typed but uncommitted).
inline void Eingeben(QWidget* field, const QString& text, bool enter = true) {
    // A closed message box may leave the window inactive on the test platform.
    if (!field->window()->isActiveWindow())
        QVERIFY(Activate(*field->window()));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    if (enter)
        QTest::keyClick(field, Qt::Key_Return);
}

inline void Klicken(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
}

// The object name of a preview cell in column k (0..3): the row's name and
// the column's number.
inline QString Spalte(const char* zeile, int k) {
    return QString::fromLatin1(zeile) + QString::number(k + 1);
}

// The program directory in a temporary folder, with the windows on it.
class TTestProgramm {
public:
    // sterbetafel: the mortality table's content; the delivered one when empty.
    explicit TTestProgramm(const TPlanRecord* plan, const QByteArray& sterbetafel = {}) {
        const QString src = qEnvironmentVariable("ORVANTA_SOURCE_DIR");
        const QString tafel = Dir.path() + QStringLiteral("/Sterbetafel_2004.csv");
        if (sterbetafel.isEmpty()) {
            QFile::copy(src + QStringLiteral("/data/Sterbetafel_2004.csv"), tafel);
        } else {
            QFile f(tafel);
            if (f.open(QIODevice::WriteOnly))
                f.write(sterbetafel);
        }
        if (plan)
            SavePlanRecord(*plan, DatenDatei().toStdString());
        Fenster = std::make_unique<TProgrammFenster>(Dir.path());
    }

    // Shows the main window and waits for its activation.
    bool Starten() {
        Main().show();
        Main().activateWindow();
        return QTest::qWaitForWindowActive(&Main());
    }

    Tfrm_perfmain& Main() { return *Fenster->frm_perfmain; }
    TPlanRecord& Rec() { return Main().Calc().Rec; }
    QString DatenDatei() const { return Dir.path() + QStringLiteral("/Orvan.Dat"); }
    bool DateiDa() const { return QFile::exists(DatenDatei()); }

    // What the data file holds now.
    TPlanRecord Datei() const {
        TPlanRecord r;
        std::memset(&r, 0, sizeof r);
        ReadPlanRecordFile(r, DatenDatei().toStdString(), OpenFor::Reading);
        return r;
    }

    QTemporaryDir Dir;
    std::unique_ptr<TProgrammFenster> Fenster;
};

// What a window test class derives from (after QObject): the program on a
// plan, and after each test nothing of it left on screen.
class TProgrammFixture {
protected:
    std::unique_ptr<TTestProgramm> P;

    void Start(const TPlanRecord& plan) {
        P = std::make_unique<TTestProgramm>(&plan);
        QVERIFY(P->Starten());
        QVERIFY(P->Main().Geladen());
    }

    // For cleanup().
    void Aufraeumen() {
        P.reset();
        QCoreApplication::processEvents();
        ORVANTA_VERIFY_NO_WINDOW_LEFT();
    }
};

// The adviser functions' tests: a program started on a plan, keys at the
// main window, the password step and the files the hidden keys look for.
class TBeraterProgramm : public TProgrammFixture {
protected:
    static inline const QString Berater = QStringLiteral("berater");     // level 1
    static inline const QString Direktion = QStringLiteral("direktion"); // level 3

    // The profile of the delivered FRV file "G002 m 35 100 1 5 30.txt".
    static TPlanRecord FRVPlan() {
        TPlanRecord r = MitPasswoertern(BeispielPlan());
        r.Eintrittsalter = 35;
        r.Sparbetrag = 100;
        r.Dynamik = 5;
        r.Laufzeit = 30;
        r.Einzahlungsdauer = 30;
        return r;
    }

    // A step that enters a password and presses OK.
    static ModalAnswerer::Step Passwort(const QString& text) {
        return [text](QWidget* w) {
            auto* dlg = qobject_cast<TPasswordDlg*>(w);
            QVERIFY(dlg);
            auto* feld = dlg->findChild<QLineEdit*>(QStringLiteral("Password"));
            QCOMPARE(feld->text(), QString()); // emptied for every showing
            QTest::keyClicks(feld, text);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("OKBtn")),
                              Qt::LeftButton);
        };
    }

    // FRV files are looked up in the working directory.
    void FRVDatenImArbeitsverzeichnis() {
        const QString name = QStringLiteral("G002 m 35 100 1 5 30.txt");
        QVERIFY(QFile::copy(qEnvironmentVariable("ORVANTA_SOURCE_DIR") + "/data/" + name,
                            P->Dir.path() + QLatin1Char('/') + name));
        QVERIFY(QDir::setCurrent(P->Dir.path()));
    }

    // Alt and a letter at the main window's focused control.
    void Alt(Qt::Key key) {
        Tfrm_perfmain& m = P->Main();
        if (!m.isActiveWindow())
            QVERIFY(Activate(m));
        QWidget* ziel = m.focusWidget() ? m.focusWidget() : &m;
        QTest::keyClick(ziel, key, Qt::AltModifier);
    }

    Tfrm_perfProvision& Provision() { return *P->Fenster->frm_perfProvision; }
    Tfrm_DruckPar& DruckPar() { return *P->Fenster->frm_DruckPar; }
    int Stufe() { return P->Rec().Zugriffsstufe; }

    // Back in the main window after a dialog closed (the test platform does
    // not always hand the activation back by itself).
    void ZurueckImHauptfenster() {
        QVERIFY(Activate(P->Main()));
        QCoreApplication::processEvents();
    }

    // For the test class's init(): links are collected instead of opened.
    void Vorbereiten() {
        SetFormatSettings(TFormatSettings{',', '.'});
        FLinks.emplace();
    }

    // For the test class's cleanup(): program gone, working directory back,
    // no window left.
    void Aufraeumen() {
        P.reset();
        FLinks.reset();
        QDir::setCurrent(FVorher);
        QCoreApplication::processEvents();
        ORVANTA_VERIFY_NO_WINDOW_LEFT();
    }

    // What the links opened.
    const QList<QUrl>& Geoeffnet() const { return FLinks->Opened; }

    QString FVorher = QDir::currentPath();
    std::optional<UrlRecorder> FLinks;
};

} // namespace orvanta::testing
