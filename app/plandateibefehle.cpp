#include "app/plandateibefehle.h"

#include "app/planfiles.h"
#include "app/teinzigeinstanz.h"
#include "app/tfrm_perfmain.h"
#include "core/csvexport.h"
#include "core/errors.h"
#include "core/planfile.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <cstring>

namespace orvanta {

// Ctrl+O and Ctrl+Shift+S are the keys of the menu's commands (THauptmenue).
TPlanDateiBefehle::TPlanDateiBefehle(Tfrm_perfmain* fenster) : QObject(fenster), FFenster(fenster) {
    connect(fenster, &Tfrm_perfmain::ergebnisKontextmenue, this, &TPlanDateiBefehle::Kontextmenue);
}

void TPlanDateiBefehle::SetzeInstanz(TEinzigeInstanz* instanz) {
    FInstanz = instanz;
}

QString TPlanDateiBefehle::CsvBefehl() {
    return QStringLiteral("Tabelle als CSV speichern \u2026");
}

QString TPlanDateiBefehle::Ordner() const {
    return FFenster->DateiOrdner();
}

void TPlanDateiBefehle::PlanSpeichernUnter() {
    const QString datei = WaehlePlanZumSpeichern(FFenster, Ordner());
    if (!datei.isEmpty())
        SpeichereUnter(datei);
}

void TPlanDateiBefehle::PlanOeffnen() {
    const QString datei = WaehlePlanZumOeffnen(FFenster, Ordner());
    if (!datei.isEmpty())
        Oeffne(datei);
}

void TPlanDateiBefehle::TabelleAlsCsvSpeichern() {
    const TPlanRecord& rec = FFenster->Calc().Rec;
    const QString vorschlag = QDir(Ordner()).filePath(CsvVorschlag(rec, VorschauTabelle(rec)));
    const QString datei = WaehleCsvDatei(FFenster, vorschlag);
    if (!datei.isEmpty())
        SpeichereCsv(datei);
}

void TPlanDateiBefehle::SpeichereUnter(const QString& datei) {
    // A record that was never loaded never reaches a file.
    if (!FFenster->Geladen())
        throw EOrvantaError("Es ist kein Plan geladen, der gespeichert werden könnte.");
    // The inputs as they stand (a field still being edited included) go to
    // the new file only: the old one keeps the plan as its last change left
    // it. When the new file cannot be written the window stays on the old one.
    // A file another window holds is refused before anything is written.
    std::unique_ptr<TDataFileLock> sperre = FInstanz ? FInstanz->Vorbereiten(datei) : nullptr;
    const QString vorher = FFenster->EigeneDatenDatei();
    FFenster->SetzeDatenDatei(datei);
    try {
        FFenster->SaveData();
    } catch (...) {
        FFenster->SetzeDatenDatei(vorher);
        throw;
    }
    if (FInstanz)
        FInstanz->Uebernehmen(std::move(sperre));
    emit planGewechselt(datei);
}

void TPlanDateiBefehle::Oeffne(const QString& datei) {
    // Checked before anything changes: a file that is no plan leaves the
    // window on its current plan and file.
    TPlanRecord probe;
    std::memset(&probe, 0, sizeof probe);
    ReadPlanRecordFile(probe, QDir::toNativeSeparators(datei).toStdString(),
                       OpenFor::ReadingAndWriting);
    if (FInstanz)
        FInstanz->Uebernehmen(FInstanz->Vorbereiten(datei));
    FFenster->SetzeDatenDatei(datei);
    FFenster->FormActivate();
    emit planGewechselt(datei);
}

void TPlanDateiBefehle::SpeichereCsv(const QString& datei) {
    const TPerformCalc& calc = FFenster->Calc();
    const TProvisionsProtokoll keineProvision;
    SchreibeDatei(datei, CsvDatei(VorschauTabelle(calc.Rec), calc, keineProvision, false));
}

void TPlanDateiBefehle::Kontextmenue(const QPoint& globalPos) {
    if (!FFenster->Geladen())
        return;
    QMenu menu(FFenster);
    menu.addAction(CsvBefehl(), this, &TPlanDateiBefehle::TabelleAlsCsvSpeichern);
    menu.exec(globalPos);
}

} // namespace orvanta
