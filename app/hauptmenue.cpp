#include "app/hauptmenue.h"

#include "app/fensterrahmen.h"
#include "app/plandateibefehle.h"
#include "app/planfiles.h"
#include "app/tfrm_perfmain.h"
#include "controls/errordisplay.h"
#include "controls/texplorerbutton.h"
#include "core/sterbetafel.h"
#include "core/version.h"
#include "platform/datalocation.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>

#include <utility>

namespace orvanta {

namespace {

QSettings einstellungen() {
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("Orvanta"));
}

const QString ZuletztSchluessel = QStringLiteral("ZuletztGeoeffnet");

QString sauber(const QString& datei) {
    return QDir::cleanPath(QFileInfo(datei).absoluteFilePath());
}

} // namespace

QStringList ZuletztGeoeffnet(const QStringList& liste, const QString& datei, int hoechstens) {
    QStringList neu{sauber(datei)};
    for (const QString& d : liste)
        if (neu.size() < hoechstens && !d.isEmpty() && !neu.contains(sauber(d)))
            neu << sauber(d);
    return neu;
}

THauptmenue::THauptmenue(Tfrm_perfmain* fenster, TPlanDateiBefehle* befehle,
                         const QString& vorlagenOrdner)
    : QObject(fenster), FFenster(fenster), FBefehle(befehle), FVorlagenOrdner(vorlagenOrdner) {
    QMenuBar* leiste = fenster->Rahmen().Menueleiste();
    const auto sicher = [this](auto schritt) {
        return [this, schritt] { RunAndReport(schritt, FFenster); };
    };

    QMenu* datei = leiste->addMenu(QStringLiteral("Datei"));
    datei->setObjectName(QStringLiteral("menu_Datei"));
    datei->addAction(QStringLiteral("Neuer Plan \u2026"), QKeySequence::New, this,
                     sicher([this] { NeuerPlanWaehlen(); }));
    datei->addAction(QStringLiteral("Plan öffnen \u2026"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                     sicher([this] { FBefehle->PlanOeffnen(); }));
    FZuletzt = datei->addMenu(QStringLiteral("Zuletzt geöffnet"));
    FZuletzt->setObjectName(QStringLiteral("menu_Zuletzt"));
    connect(FZuletzt, &QMenu::aboutToShow, this, &THauptmenue::ZuletztFuellen);
    ZuletztFuellen();
    datei->addAction(QStringLiteral("Plan speichern unter \u2026"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                     sicher([this] { FBefehle->PlanSpeichernUnter(); }));
    datei->addSeparator();
    QAction* csv = datei->addAction(TPlanDateiBefehle::CsvBefehl(), this,
                                    sicher([this] { FBefehle->TabelleAlsCsvSpeichern(); }));
    FErgebnis =
        datei->addAction(QStringLiteral("Ergebnis / Ausdruck \u2026"),
                         QKeySequence(Qt::CTRL | Qt::Key_P), this, [this] { ErgebnisAusdruck(); });
    datei->addSeparator();
    datei->addAction(QStringLiteral("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q), FFenster,
                     [this] { FFenster->close(); });
    // Without a loaded plan there is no table and no report.
    connect(datei, &QMenu::aboutToShow, this, [this, csv] {
        csv->setEnabled(FFenster->Geladen());
        FErgebnis->setEnabled(FFenster->Geladen());
    });

    QMenu* hilfe = leiste->addMenu(QStringLiteral("Hilfe"));
    hilfe->setObjectName(QStringLiteral("menu_Hilfe"));
    hilfe->addAction(QStringLiteral("Tastenkürzel"), QKeySequence(Qt::Key_F1), this, [this] {
        QMessageBox::information(FFenster, QStringLiteral("Tastenkürzel"), TastenkuerzelText());
    });
    hilfe->addAction(QStringLiteral("Über Orvanta"), this, [this] {
        QMessageBox::about(FFenster, QStringLiteral("Über Orvanta"), UeberText());
    });

    for (QAction* a : datei->actions() + hilfe->actions())
        a->setObjectName(QStringLiteral("aktion_") + a->text().remove(QStringLiteral(" \u2026")));
    connect(FBefehle, &TPlanDateiBefehle::planGewechselt, this, &THauptmenue::Merken);
}

void THauptmenue::Merken(const QString& datei) {
    QSettings s = einstellungen();
    s.setValue(ZuletztSchluessel,
               ZuletztGeoeffnet(s.value(ZuletztSchluessel).toStringList(), datei));
}

QStringList THauptmenue::Zuletzt() {
    return einstellungen().value(ZuletztSchluessel).toStringList();
}

void THauptmenue::ZuletztFuellen() {
    FZuletzt->clear();
    int nummer = 0;
    for (const QString& datei : Zuletzt()) {
        if (!QFileInfo(datei).isFile())
            continue;
        ++nummer;
        QAction* a = FZuletzt->addAction(
            QStringLiteral("%1  %2").arg(nummer).arg(QDir::toNativeSeparators(datei)), this,
            [this, datei] { RunAndReport([&] { FBefehle->Oeffne(datei); }, FFenster); });
        a->setData(datei);
    }
    if (nummer == 0)
        FZuletzt->addAction(QStringLiteral("(keine)"))->setEnabled(false);
}

void THauptmenue::ErgebnisAusdruck() {
    // As the button does, and only where it is enabled.
    auto* knopf = FFenster->findChild<TExplorerButton*>(QStringLiteral("btn_Ergebnis"));
    if (knopf && knopf->isEnabled() && FFenster->Geladen())
        knopf->Click();
}

void THauptmenue::NeuerPlanWaehlen() {
    const QString datei =
        WaehlePlanZumSpeichern(FFenster, FFenster->DateiOrdner(), QStringLiteral("Neuer Plan"));
    if (!datei.isEmpty())
        NeuerPlan(datei);
}

void THauptmenue::NeuerPlan(const QString& datei) {
    LegePlanAn(datei, FVorlagenOrdner);
    FBefehle->Oeffne(datei);
}

QString THauptmenue::TastenkuerzelText() {
    const std::pair<const char*, const char*> zeilen[] = {
        {"Strg+N", "Neuer Plan …"},
        {"Strg+O", "Plan öffnen …"},
        {"Strg+Umschalt+S", "Plan speichern unter …"},
        {"Strg+P", "Ergebnis / Ausdruck …"},
        {"Strg+Q", "Beenden (speichert den Plan)"},
        {"F1", "diese Übersicht"},
        {"Alt+Buchstabe", "zum Feld, dessen Beschriftung den Buchstaben unterstrichen zeigt"},
        {"Eingabetaste", "übernimmt die Eingabe und geht zum nächsten Feld"},
        {"Tab, Umschalt+Tab", "nächstes, voriges Feld"},
        {"Alt+S", "speichern und beenden"},
        {"Alt+I", "Einstellungen"}};
    QString text = QStringLiteral("<table cellspacing=\"4\">");
    for (const auto& [taste, was] : zeilen)
        text += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(QString::fromUtf8(taste), QString::fromUtf8(was).toHtmlEscaped());
    return text + QStringLiteral("</table>");
}

QString THauptmenue::UeberText() const {
    const auto zeile = [](const QString& name, const QString& pfad) {
        return QStringLiteral("<br>%1: %2")
            .arg(name.toHtmlEscaped(), QFileInfo(pfad).isFile()
                                           ? QDir::toNativeSeparators(pfad).toHtmlEscaped()
                                           : QStringLiteral("nicht vorhanden"));
    };
    const QString tafel =
        QDir(FVorlagenOrdner).filePath(QString::fromLatin1(TSterbetafel::Dateiname));
    const int frv = static_cast<int>(
        QDir::current().entryList({QStringLiteral("G002*.txt")}, QDir::Files).size());
    return QStringLiteral("<b>%1</b><br>Beratungsrechner für den Fondsplan VALMERA 47."
                          "<br><br>Build: Qt %2, %3"
                          "<br>Lizenz: proprietär. Alle Rechte vorbehalten. Weitergabe nur mit "
                          "Zustimmung der Rechteinhaber.<br><br><b>Verwendete Daten</b>")
               .arg(QString::fromUtf8(ProgramVersion), QString::fromLatin1(qVersion()),
                    QStringLiteral(ORVANTA_BUILD)) +
           zeile(QStringLiteral("Plan"), FFenster->DatenDatei()) +
           zeile(QStringLiteral("Sterbetafel"), tafel) +
           QStringLiteral("<br>FRV-Vergleichsdateien: %1 in %2")
               .arg(frv)
               .arg(QDir::toNativeSeparators(QDir::currentPath()).toHtmlEscaped());
}

} // namespace orvanta
