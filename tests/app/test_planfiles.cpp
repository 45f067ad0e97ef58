// One plan file per customer in the window: a file of its own from the start,
// "Plan speichern unter", "Plan öffnen" and the table as CSV.

#include "app/orvantaapplication.h"
#include "app/plandateibefehle.h"
#include "app/planfiles.h"
#include "app/teinzigeinstanz.h"
#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "core/errors.h"
#include "mainwindowsupport.h"
#include "tests/support/tempdir.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Whole files, through the shared helpers.
QByteArray readFile(const QString& path) {
    return QByteArray::fromStdString(ReadAll(path.toStdString()));
}

QString nachname(const TPlanRecord& r) {
    return QString::fromStdString(ShortStringToUtf8(r.Nachname));
}

TPlanRecord planFuer(const char* nachname) {
    TPlanRecord r = BeispielPlan();
    ShortStringFromUtf8(r.Nachname, nachname);
    return r;
}

} // namespace

class TestPlanFiles : public QObject, public TProgrammFixture {
    Q_OBJECT

private slots:
    void cleanup() { Aufraeumen(); }
    void captionAndNames_data();
    void captionAndNames();
    void fileOfItsOwnFromTheStart_data();
    void fileOfItsOwnFromTheStart();
    void saveAsThenReopen();
    void saveAsTakesTheEntryBeingTyped();
    void openRefusesWhatIsNoPlan();
    void lockMovesWithTheFile();
    void shortcutsOpenGermanDialogs();
    void tableAsCsvFromTheResultArea();
};

void TestPlanFiles::captionAndNames_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<int>("ansicht");
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("nachname");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("csv");
    QTest::newRow("default file, table view") << "" << 2 << 1 << "Müller"
                                              << "Orvanta 1.6"
                                              << "Müller Entnahmephase.csv";
    QTest::newRow("own file, accumulation chart") << "/k/Kunde Meier.Dat" << 1 << 1 << "Meier"
                                                  << "Orvanta 1.6 \u2013 Kunde Meier.Dat"
                                                  << "Meier Einzahlungsphase.csv";
    QTest::newRow("withdrawal chart, name unfit for a file") << "a.Dat" << 1 << 2 << " a/b:c*? "
                                                             << "Orvanta 1.6 \u2013 a.Dat"
                                                             << "abc Entnahmephase.csv";
    QTest::newRow("no name") << "" << 1 << 1 << ""
                             << "Orvanta 1.6"
                             << "Einzahlungsphase.csv";
}

void TestPlanFiles::captionAndNames() {
    QFETCH(QString, datei);
    QFETCH(int, ansicht);
    QFETCH(int, phase);
    QFETCH(QString, nachname);
    TPlanRecord r = BeispielPlan();
    r.Ansicht = ansicht;
    r.Grafik_Phase = phase;
    ShortStringFromUtf8(r.Nachname, nachname.toStdString());
    QTEST(FensterTitel(QStringLiteral("Orvanta 1.6"), datei), "titel");
    QTEST(CsvVorschlag(r, VorschauTabelle(r)), "csv");
}

void TestPlanFiles::fileOfItsOwnFromTheStart_data() {
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("valid plan") << QByteArray() << QString();
    QTest::newRow("missing") << QByteArray("-") << "Datei nicht gefunden.";
    QTest::newRow("100 bytes") << QByteArray(100, 'x') << "Versuch hinter dem Dateiende zu lesen.";
}

void TestPlanFiles::fileOfItsOwnFromTheStart() {
    QFETCH(QByteArray, inhalt);
    const TPlanRecord standard = BeispielPlan();
    TTestProgramm p(&standard);
    const QString datei = p.Dir.filePath(QStringLiteral("Kunde.Dat"));
    if (inhalt.isEmpty())
        SavePlanRecord(planFuer("Kunde"), datei.toStdString());
    else if (inhalt != "-")
        WriteAll(datei.toStdString(), inhalt.toStdString());
    const QByteArray vorher = readFile(p.DatenDatei());

    p.Main().SetzeDatenDatei(datei);
    ModalAnswerer meldungen;
    p.Main().show();
    QFETCH(QString, meldung);
    if (inhalt.isEmpty())
        QTRY_VERIFY(p.Main().Geladen());
    else
        QTRY_COMPARE(meldungen.texts().join('|'), meldung);
    QCOMPARE(p.Main().Geladen(), inhalt.isEmpty());
    QCOMPARE(meldungen.texts().join('|'), meldung);
    QCOMPARE(p.Main().windowTitle(), QStringLiteral("Orvanta 1.6 \u2013 Kunde.Dat"));
    if (inhalt.isEmpty()) {
        QCOMPARE(nachname(p.Rec()), QStringLiteral("Kunde"));
        p.Main().SaveData();
    }
    // The default plan is never touched; a damaged file stays as it was.
    QCOMPARE(readFile(p.DatenDatei()), vorher);
    if (!inhalt.isEmpty() && inhalt != "-")
        QCOMPARE(readFile(datei), inhalt);
}

void TestPlanFiles::saveAsThenReopen() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    TPlanDateiBefehle& befehle = *p.Fenster->PlanDateiBefehle;
    const QString neu = p.Dir.filePath(QStringLiteral("Neu.Dat"));

    // The last customer's longer name, then the next one typed over it.
    const QString lang = p.Dir.filePath(QStringLiteral("Lang.Dat"));
    auto* name = Control<TEditText>(p.Main(), "edt_I_P_Nachname");
    name->SetValue(QStringLiteral("Schmidt-Hoffmann"));
    befehle.SpeichereUnter(lang);
    QVERIFY(readFile(lang).contains("Schmidt-Hoffmann"));

    // Inputs the window has not saved yet go along into the new file.
    Control<TEditFloat>(p.Main(), "edt_I_P_Eintrittsalter")->SetValue(41);
    name->SetValue(QStringLiteral("Neumann"));
    befehle.SpeichereUnter(neu);
    QCOMPARE(p.Main().DatenDatei(), neu);
    QCOMPARE(p.Main().windowTitle(), QStringLiteral("Orvanta 1.6 \u2013 Neu.Dat"));
    QCOMPARE(readFile(neu).size(), qsizetype(sizeof(TPlanRecord)));
    // Nothing of the earlier customer travels on, and the file is private.
    QVERIFY(!readFile(neu).contains("Hoffmann"));
    QCOMPARE(QFile::permissions(neu) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions{});

    befehle.Oeffne(p.DatenDatei());
    QCOMPARE(nachname(p.Rec()), QStringLiteral("Müller"));
    QCOMPARE(p.Main().windowTitle(), QStringLiteral("Orvanta 1.6 \u2013 Orvan.Dat"));

    befehle.Oeffne(neu);
    QCOMPARE(p.Rec().Eintrittsalter, 41);
    QCOMPARE(nachname(p.Rec()), QStringLiteral("Neumann"));
    QCOMPARE(p.Main().DatenDatei(), neu);
}

// A save while a field is still being typed in takes the entry over, as
// leaving the field would; a wrong one ends the save at once, reported by the
// field, and the window stays on its file.
void TestPlanFiles::saveAsTakesTheEntryBeingTyped() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    TPlanDateiBefehle& befehle = *p.Fenster->PlanDateiBefehle;
    Eingeben(Control<TEditText>(p.Main(), "edt_I_P_Nachname"), QStringLiteral("Schmidt"), false);
    const QString neu = p.Dir.filePath(QStringLiteral("Schmidt.Dat"));
    befehle.SpeichereUnter(neu);
    TPlanRecord gespeichert;
    ReadPlanRecordFile(gespeichert, neu.toStdString(), OpenFor::Reading);
    QCOMPARE(nachname(gespeichert), QStringLiteral("Schmidt"));

    auto* laufzeit = Control<TEditFloat>(p.Main(), "edt_Laufzeit");
    Eingeben(laufzeit, QStringLiteral("500"), false);
    const QString zu = p.Dir.filePath(QStringLiteral("Zu.Dat"));
    QVERIFY_THROWS_EXCEPTION(EUserEditError, befehle.SpeichereUnter(zu));
    QVERIFY(laufzeit->hasFocus() && laufzeit->ErrorColorShown());
    QVERIFY(!QFile::exists(zu));
    QCOMPARE(p.Main().DatenDatei(), neu);
    QTest::keyClick(laufzeit, Qt::Key_Escape);
}

void TestPlanFiles::openRefusesWhatIsNoPlan() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    const QString kurz = p.Dir.filePath(QStringLiteral("kurz.Dat"));
    WriteAll(kurz.toStdString(), std::string(100, 'x'));
    for (const auto& [datei, text] :
         {std::pair{kurz, "Versuch hinter dem Dateiende zu lesen"},
          std::pair{p.Dir.filePath(QStringLiteral("fehlt.Dat")), "Datei nicht gefunden"}}) {
        try {
            p.Fenster->PlanDateiBefehle->Oeffne(datei);
            QFAIL("no error");
        } catch (const EOrvantaError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).startsWith(QString::fromUtf8(text)), e.what());
        }
        QCOMPARE(p.Main().DatenDatei(), p.DatenDatei());
        QCOMPARE(nachname(p.Rec()), QStringLiteral("Müller"));
        QCOMPARE(p.Main().windowTitle(), QStringLiteral("Orvanta 1.6"));
    }
    QCOMPARE(readFile(kurz), QByteArray(100, 'x'));
}

void TestPlanFiles::lockMovesWithTheFile() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    TEinzigeInstanz instanz(p.DatenDatei());
    QVERIFY(instanz.Sperren());
    TPlanDateiBefehle& befehle = *p.Fenster->PlanDateiBefehle;
    befehle.SetzeInstanz(&instanz);
    const auto frei = [](const QString& datei) {
        TDataFileLock probe(datei);
        return probe.Sperren() == TDataFileLock::Zustand::Gehalten;
    };

    // A plan another window has open is neither written nor opened here.
    const QString fremd = p.Dir.filePath(QStringLiteral("Fremd.Dat"));
    SavePlanRecord(planFuer("Fremd"), fremd.toStdString());
    const QByteArray fremdVorher = readFile(fremd);
    TDataFileLock anderesFenster(fremd);
    QCOMPARE(anderesFenster.Sperren(), TDataFileLock::Zustand::Gehalten);
    for (const bool oeffnen : {false, true}) {
        try {
            oeffnen ? befehle.Oeffne(fremd) : befehle.SpeichereUnter(fremd);
            QFAIL("no error");
        } catch (const EOrvantaError& e) {
            QVERIFY2(
                QString::fromUtf8(e.what()).contains(QStringLiteral("bereits in einem "
                                                                    "anderen Orvanta-Fenster")),
                e.what());
        }
        QCOMPARE(p.Main().DatenDatei(), p.DatenDatei());
        QCOMPARE(nachname(p.Rec()), QStringLiteral("Müller"));
        QVERIFY(!frei(p.DatenDatei()));
    }
    QCOMPARE(readFile(fremd), fremdVorher);

    // Saved under a new name, the window holds that file and lets go of the old one.
    const QString neu = p.Dir.filePath(QStringLiteral("Neu.Dat"));
    befehle.SpeichereUnter(neu);
    QVERIFY(frei(p.DatenDatei()));
    QVERIFY(!frei(neu));

    // Opened, the same; what a save ended half-way left there is cleared.
    const QString rest = neu + QStringLiteral(".Ab12Cd.tmp");
    WriteAll(rest.toStdString(), "x");
    QVERIFY(MakeOld(rest.toStdString(), std::chrono::hours(1)));
    befehle.Oeffne(p.DatenDatei());
    QVERIFY(!frei(p.DatenDatei()));
    QVERIFY(frei(neu));
    befehle.Oeffne(neu);
    QVERIFY(!QFile::exists(rest));
    QVERIFY(frei(p.DatenDatei()));
    QCOMPARE(instanz.DataFile(), neu);
}

void TestPlanFiles::shortcutsOpenGermanDialogs() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    struct Fall {
        Qt::KeyboardModifiers mods;
        QString titel;
        QString name; // typed without suffix
    };
    for (const Fall& f :
         {Fall{Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("Plan speichern unter"),
               QStringLiteral("Dialog")},
          Fall{Qt::ControlModifier, QStringLiteral("Plan öffnen"), QStringLiteral("Dialog.Dat")}}) {
        QString titel, filter;
        WhenModal([&, name = p.Dir.filePath(f.name)](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            titel = dlg->windowTitle();
            filter = dlg->selectedNameFilter();
            // As the adviser does: the name into the field, then Enter.
            auto* feld = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(feld);
            feld->setText(name);
            QTest::keyClick(feld, Qt::Key_Return);
        });
        p.Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.Main()));
        QTest::keyClick(&p.Main(), f.mods & Qt::ShiftModifier ? Qt::Key_S : Qt::Key_O, f.mods);
        QTRY_COMPARE(titel, f.titel);
        QCOMPARE(filter, QStringLiteral("Orvanta-Pläne (*.Dat)"));
        QCOMPARE(p.Main().DatenDatei(), p.Dir.filePath(QStringLiteral("Dialog.Dat")));
    }
}

void TestPlanFiles::tableAsCsvFromTheResultArea() {
    Start(BeispielPlan());
    TTestProgramm& p = *P;
    const QString csv = p.Dir.filePath(QStringLiteral("Tabelle.csv"));
    p.Fenster->PlanDateiBefehle->SpeichereCsv(csv);
    const TProvisionsProtokoll ohne;
    QCOMPARE(readFile(csv), QByteArray::fromStdString(
                                CsvDatei(CsvTabelle::Entnahme, p.Main().Calc(), ohne, false)));
    // A customer's table is its owner's alone; saved again, it keeps its mode.
    QCOMPARE(QFile::permissions(csv) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions{});
    const QFile::Permissions geteilt = QFile::permissions(csv) | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(csv, geteilt));
    p.Fenster->PlanDateiBefehle->SpeichereCsv(csv);
    QCOMPARE(QFile::permissions(csv), geteilt);

    // A right click on the preview table offers the command.
    QStringList befehle;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activePopupWidget());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* a : menu->actions())
            befehle << a->text();
        menu->close();
    });
    // The table lets the mouse through to the result area it lies in.
    QWidget* tabelle = Control<QWidget>(p.Main(), "pn_Tabelle");
    QWidget* bereich = tabelle->parentWidget();
    const QPoint innen = tabelle->geometry().center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, innen, bereich->mapToGlobal(innen));
    QApplication::sendEvent(bereich, &e);
    QCOMPARE(befehle, QStringList{TPlanDateiBefehle::CsvBefehl()});
}

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestPlanFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_planfiles.moc"
