// The main window's menu bar: its commands and keys, the recently opened
// plans, a new plan from the defaults, a start on a plan that is missing,
// and that no Alt+letter of the window changed its meaning.

#include "app/application.h"
#include "app/fensterrahmen.h"
#include "app/hauptmenue.h"
#include "app/orvantaapplication.h"
#include "app/plandateibefehle.h"
#include "app/planfiles.h"
#include "controls/teditfloat.h"
#include "controls/texplorerbutton.h"
#include "core/errors.h"
#include "core/version.h"
#include "mainwindowsupport.h"
#include "platform/datalocation.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestHauptmenue : public QObject, TBeraterProgramm {
    Q_OBJECT

private slots:
    void init() {
        Vorbereiten();
        QSettings(QStringLiteral("Orvanta"), QStringLiteral("Orvanta")).clear();
    }
    void cleanup() { Aufraeumen(); }

    void menusAndTheirKeys();
    void smallWindowScrollsToTheFocus();
    void dialogsStayOnTheScreen();
    void commandsDoWhatTheySay();
    void newPlanFromTheDefaultsAndRecentPlans();
    void recentPlansList_data();
    void recentPlansList();
    void everyAltLetterAsBefore_data();
    void everyAltLetterAsBefore();
    void missingPlanAtStart_data();
    void missingPlanAtStart();
    void startFolders_data();
    void startFolders();
    void planDialogsShowAnyCase();
};

namespace {

QStringList texte(const QMenu* menu) {
    QStringList t;
    for (const QAction* a : menu->actions())
        t << (a->isSeparator() ? QStringLiteral("-")
                               : a->text() + (a->shortcut().isEmpty()
                                                  ? QString()
                                                  : QLatin1Char('\t') + a->shortcut().toString()));
    return t;
}

// The names a file dialog's list offers for choosing, sorted.
QStringList gezeigt(const QAbstractItemView& liste) {
    QStringList l;
    const QAbstractItemModel* model = liste.model();
    for (int i = 0; i < model->rowCount(liste.rootIndex()); ++i) {
        const QModelIndex x = model->index(i, 0, liste.rootIndex());
        if (model->flags(x) & Qt::ItemIsEnabled)
            l << x.data().toString();
    }
    l.sort();
    return l;
}

QByteArray inhalt(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void TestHauptmenue::menusAndTheirKeys() {
    Start(BeispielPlan());
    QMenuBar* leiste = P->Main().Rahmen().Menueleiste();
    QVERIFY(leiste->isVisible());
    // Above the client area, whose places are unchanged.
    QWidget* inhalt = P->Main().findChild<QWidget*>(QStringLiteral("Fensterinhalt"));
    QCOMPARE(inhalt->size(), QSize(812, 737));
    QCOMPARE(inhalt->mapTo(&P->Main(), QPoint(0, 0)), QPoint(0, leiste->height()));
    QStringList titel;
    for (const QAction* a : leiste->actions())
        titel << a->text();
    QCOMPARE(titel, (QStringList{"Datei", "Hilfe"})); // no accelerator letter
    QCOMPARE(
        texte(leiste->findChild<QMenu*>(QStringLiteral("menu_Datei"))),
        (QStringList{"Neuer Plan …\tCtrl+N", "Plan öffnen …\tCtrl+O", "Zuletzt geöffnet",
                     "Plan speichern unter …\tCtrl+Shift+S", "-", "Tabelle als CSV speichern …",
                     "Ergebnis / Ausdruck …\tCtrl+P", "-", "Beenden\tCtrl+Q"}));
    QCOMPARE(texte(leiste->findChild<QMenu*>(QStringLiteral("menu_Hilfe"))),
             (QStringList{"Tastenkürzel\tF1", "Über Orvanta"}));
}

void TestHauptmenue::smallWindowScrollsToTheFocus() {
    // A window smaller than designed (a small screen) scrolls its client
    // area so that the control taking the focus is seen whole.
    Start(BeispielPlan());
    Tfrm_perfmain& m = P->Main();
    m.resize(500, 300);
    auto* bereich = m.findChild<QScrollArea*>(QStringLiteral("Fensterbereich"));
    for (const char* name : {"ExplorerButton3", "edt_I_P_Nachname", "edt_Monatsrente"}) {
        QWidget* w = Control<QWidget>(m, name);
        w->setFocus();
        QCOMPARE(QApplication::focusWidget(), w);
        QTRY_VERIFY2(bereich->viewport()->rect().contains(
                         QRect(w->mapTo(bereich->viewport(), QPoint(0, 0)), w->size())),
                     name);
    }
}

void TestHauptmenue::dialogsStayOnTheScreen() {
    // 30 pixels off a window near the screen's corner, the settings would
    // reach past its edge: they are pushed back inside.
    Start(BeispielPlan());
    Tfrm_perfmain& m = P->Main();
    const QRect frei = m.screen()->availableGeometry();
    m.move(frei.bottomRight() - QPoint(300, 200));
    QRect gesehen;
    ModalAnswerer folge({[&](QWidget* w) {
        gesehen = w->geometry(); // every control of it reachable
        w->close();
    }});
    Control<TExplorerButton>(m, "ExplorerButton3")->Click();
    QTRY_COMPARE(folge.count(), 1);
    QVERIFY(frei.contains(gesehen));
}

void TestHauptmenue::commandsDoWhatTheySay() {
    Start(BeispielPlan());
    Tfrm_perfmain& m = P->Main();
    // F1: the shortcuts; Ctrl+P: the print options, as the button opens them.
    {
        ModalAnswerer folge(ModalAnswerer::AllWindows);
        QTest::keyClick(m.focusWidget(), Qt::Key_F1);
        QTRY_COMPARE(folge.count(), 1);
        QCOMPARE(folge.last().title, QStringLiteral("Tastenkürzel"));
        QVERIFY(folge.last().text.contains(QStringLiteral("Strg+P")));
        ZurueckImHauptfenster();
        QTest::keyClick(m.focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(folge.count(), 2);
        QCOMPARE(folge.classes().last(), QStringLiteral("orvanta::Tfrm_DruckPar"));
    }
    // "Über Orvanta": version, licence and the reference data in use.
    const QString ueber = P->Fenster->Hauptmenue->UeberText();
    for (const QString& teil : {QString::fromUtf8(ProgramVersion), QStringLiteral("Lizenz"),
                                P->Dir.filePath(QStringLiteral("Sterbetafel_2004.csv")),
                                P->DatenDatei(), QStringLiteral("FRV-Vergleichsdateien")})
        QVERIFY2(ueber.contains(teil.toHtmlEscaped()), qPrintable(teil));
    // Ctrl+Q ends as "speichern und beenden" does: the name typed last is saved.
    ZurueckImHauptfenster();
    Eingeben(Control<QWidget>(m, "edt_I_P_Nachname"), QStringLiteral("Zuletzt"), false);
    QTest::keyClick(m.focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!m.isVisible());
    QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Nachname)),
             QStringLiteral("Zuletzt"));
}

void TestHauptmenue::newPlanFromTheDefaultsAndRecentPlans() {
    Start(BeispielPlan());
    THauptmenue& menue = *P->Fenster->Hauptmenue;
    const QString weber = P->Dir.filePath(QStringLiteral("Weber.Dat"));
    menue.NeuerPlan(weber);
    // The delivered plan (here the program folder's), now the window's file.
    QCOMPARE(inhalt(weber), inhalt(P->DatenDatei()));
    QCOMPARE(P->Main().DatenDatei(), weber);
    QCOMPARE(QFile::permissions(weber) & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions{});
    // An existing plan is never replaced by the defaults.
    Eingeben(Control<QWidget>(P->Main(), "edt_I_P_Nachname"), QStringLiteral("Weber"));
    const QByteArray vorher = inhalt(weber);
    QVERIFY_THROWS_EXCEPTION(EOrvantaError, menue.NeuerPlan(weber));
    QCOMPARE(inhalt(weber), vorher);
    // It heads "Zuletzt geöffnet"; a choice there opens it.
    P->Fenster->PlanDateiBefehle->Oeffne(P->DatenDatei());
    QCOMPARE(THauptmenue::Zuletzt(), (QStringList{P->DatenDatei(), weber}));
    auto* zuletzt = P->Main().findChild<QMenu*>(QStringLiteral("menu_Zuletzt"));
    emit zuletzt->aboutToShow();
    QCOMPARE(zuletzt->actions().size(), 2);
    zuletzt->actions().at(1)->trigger();
    QCOMPARE(P->Main().DatenDatei(), weber);
    QCOMPARE(P->Main().windowTitle(), QStringLiteral("Orvanta 1.6 – Weber.Dat"));
}

void TestHauptmenue::recentPlansList_data() {
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QStringList>("nachher");
    QTest::newRow("first") << QStringList{} << "/p/a.Dat" << QStringList{"/p/a.Dat"};
    QTest::newRow("moves to the front, once")
        << QStringList{"/p/a.Dat", "/p/b.Dat"} << "/p/x/../b.Dat"
        << QStringList{"/p/b.Dat", "/p/a.Dat"};
    QStringList acht;
    for (int i = 1; i <= 8; ++i)
        acht << QStringLiteral("/p/%1.Dat").arg(i);
    QTest::newRow("eight at most")
        << acht << "/p/neu.Dat" << QStringList{"/p/neu.Dat"} + acht.mid(0, 7);
}

void TestHauptmenue::recentPlansList() {
    QFETCH(QStringList, vorher);
    QFETCH(QString, datei);
    QTEST(ZuletztGeoeffnet(vorher, datei), "nachher");
}

void TestHauptmenue::everyAltLetterAsBefore_data() {
    // What each Alt+letter did before there was a menu bar: the control that
    // got the focus (from "Monatliche Entnahme", which has no letter), the
    // window that opened, or the end.
    QTest::addColumn<QString>("folge");
    const char* const folgen[26] = {/*A*/ "edt_I_P_Eintrittsalter",
                                    /*B*/ "edt_Anlagebetrag",
                                    /*C*/ "edt_Monatsrente",
                                    /*D*/ "cb_Dynamik",
                                    /*E*/ "edt_Monatsrente",
                                    /*F*/ "orvanta::TPasswordDlg",
                                    /*G*/ "RB_maennlich",
                                    /*H*/ "edt_Monatsrente",
                                    /*I*/ "orvanta::Tfrm_perfEinst",
                                    /*J*/ "edt_Monatsrente",
                                    /*K*/ "edt_Monatsrente",
                                    /*L*/ "edt_Laufzeit",
                                    /*M*/ "edt_Monatsrente",
                                    /*N*/ "edt_I_P_Nachname",
                                    /*O*/ "edt_I_P_Vorname",
                                    /*P*/ "orvanta::TPasswordDlg",
                                    /*Q*/ "edt_Monatsrente",
                                    /*R*/ "orvanta::TPasswordDlg",
                                    /*S*/ "beendet",
                                    /*T*/ "RB_Depot_W",
                                    /*U*/ "edt_Monatsrente",
                                    /*V*/ "orvanta::TPasswordDlg",
                                    /*W*/ "edt_Monatsrente",
                                    /*X*/ "edt_Monatsrente",
                                    /*Y*/ "edt_Monatsrente",
                                    /*Z*/ "RB_einmalig"};
    for (int i = 0; i < 26; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Alt+%1").arg(QChar('A' + i))))
            << QString::fromLatin1(folgen[i]);
}

void TestHauptmenue::everyAltLetterAsBefore() {
    QFETCH(QString, folge);
    const int buchstabe = Qt::Key_A + QTest::currentDataTag()[4] - 'A';
    Start(MitPasswoertern(BeispielPlan()));
    Tfrm_perfmain& m = P->Main();
    Control<QWidget>(m, "edt_Monatsrente")->setFocus();
    ModalAnswerer fenster(ModalAnswerer::AllWindows);
    Alt(static_cast<Qt::Key>(buchstabe));
    QCoreApplication::processEvents();
    QString gesehen;
    if (!m.isVisible())
        gesehen = QStringLiteral("beendet");
    else if (fenster.count() > 0)
        gesehen = fenster.classes().join(QLatin1Char(','));
    else
        gesehen = m.focusWidget() ? m.focusWidget()->objectName() : QString();
    QCOMPARE(gesehen, folge);
    // No menu opened on the way.
    QVERIFY(!QApplication::activePopupWidget());
}

void TestHauptmenue::missingPlanAtStart_data() {
    QTest::addColumn<bool>("anlegen");
    QTest::newRow("end") << false;
    QTest::newRow("create") << true;
}

void TestHauptmenue::missingPlanAtStart() {
    QFETCH(bool, anlegen);
    const QTemporaryDir dir;
    const QString neu = dir.filePath(QStringLiteral("Neu.Dat"));
    const QString vorlagen = dir.filePath(QStringLiteral("vorlagen"));
    QVERIFY(QDir().mkpath(vorlagen));
    SavePlanRecord(BeispielPlan(), DataFilePath(vorlagen.toStdString()));
    QString frage;
    ModalAnswerer antwort({[&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        frage = box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() ==
                (anlegen ? QStringLiteral("Neuen Plan anlegen") : QStringLiteral("Beenden")))
                b->click();
    }});
    QCOMPARE(FehlendenPlanAnbieten(neu, vorlagen), anlegen);
    QVERIFY(frage.contains(QStringLiteral("Neu.Dat")));
    // Ended: nothing left behind, no lock either; created: the defaults.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             anlegen ? QStringList{"Neu.Dat"} : QStringList{});
    if (anlegen)
        QCOMPARE(inhalt(neu), inhalt(QString::fromStdString(DataFilePath(vorlagen.toStdString()))));
}

void TestHauptmenue::startFolders_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("dokumente");
    QTest::addColumn<QString>("ordner");
    // Folders that exist: the test's own; "/nirgends" does not.
    QTest::newRow("default plan: documents") << "DATEN/Orvan.Dat"
                                             << "DOK"
                                             << "DOK";
    QTest::newRow("default plan, no documents folder: home") << "DATEN/Orvan.Dat"
                                                             << "/nirgends"
                                                             << "HOME";
    QTest::newRow("own plan: its folder") << "KUNDEN/Meier.Dat"
                                          << "DOK"
                                          << "KUNDEN";
    QTest::newRow("own plan in the data folder: documents") << "DATEN/Weber.Dat"
                                                            << "DOK"
                                                            << "DOK";
    QTest::newRow("documents are the data folder: home") << "DATEN/Orvan.Dat"
                                                         << "DATEN"
                                                         << "HOME";
}

void TestHauptmenue::startFolders() {
    QFETCH(QString, plan);
    QFETCH(QString, dokumente);
    QFETCH(QString, ordner);
    const QTemporaryDir tmp;
    for (const char* d : {"DATEN", "DOK", "KUNDEN", "HOME"})
        QVERIFY(QDir(tmp.path()).mkdir(QString::fromLatin1(d)));
    const auto pfad = [&](QString s) {
        return s.startsWith(QLatin1Char('/')) ? s : tmp.filePath(s);
    };
    QCOMPARE(customerStartFolder(pfad(plan), pfad("DATEN"), pfad(dokumente), pfad("HOME")),
             pfad(ordner));
}

void TestHauptmenue::planDialogsShowAnyCase() {
    Start(BeispielPlan());
    for (const char* name : {"kunde.dat", "KUNDE.DAT", "Kunde.Dat", "liste.txt"})
        SavePlanRecord(BeispielPlan(), P->Dir.filePath(QString::fromLatin1(name)).toStdString());
    const QStringList erwartet{"KUNDE.DAT", "Kunde.Dat", "Orvan.Dat", "kunde.dat"};
    QStringList gesehen;
    WhenModal([&](QWidget* w) {
        auto* liste = w->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        QVERIFY(liste);
        // The folder is read in the background.
        QTRY_COMPARE((gesehen = gezeigt(*liste)), erwartet);
        w->close();
    });
    WaehlePlanZumOeffnen(&P->Main(), P->Dir.path());
    QCOMPARE(gesehen, erwartet);
}

int main(int argc, char** argv) {
    TOrvantaApplication::DeutschOhneRegionaleinstellungen();
    TOrvantaApplication app(argc, argv);
    TestHauptmenue test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hauptmenue.moc"
