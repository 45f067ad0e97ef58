// calc: runs the calculations of a recalculation on a data file, as the
// program does after loading it, and prints the results as JSON. The file
// itself is not written.

#include "tools/commands.h"
#include "tools/recalculation.h"
#include "tools/recordjson.h"

#include "core/errors.h"
#include "core/frvdata.h"
#include "core/kostenuebersicht.h"
#include "core/performcalc.h"
#include "core/planfile.h"
#include "core/provisionsink.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>
#include <exception>
#include <string>

namespace orvanta::tool {

namespace {

QJsonArray sechs(const double (&werte)[6]) {
    QJsonArray a;
    for (double v : werte)
        a.append(DoubleToJson(v));
    return a;
}

QJsonArray tabelle(const TPerformanceDataArray& t) {
    QJsonArray zeilen;
    for (const TPerformanceData& z : t) {
        QJsonObject o;
        o["Jahr"] = DoubleToJson(z.Jahr);
        o["Alter"] = z.Alter;
        o["Betrag"] = DoubleToJson(z.Betrag);
        o["Summe"] = sechs(z.Summe);
        o["FRV_Wert"] = sechs(z.FRV_Wert);
        o["NIW"] = sechs(z.NIW);
        zeilen.append(o);
    }
    return zeilen;
}

QJsonObject provision(const TProvisionsProtokoll& p) {
    QJsonObject o;
    o["AP"] = DoubleToJson(p.AP);
    o["AP_FRV"] = DoubleToJson(p.AP_FRV);
    QJsonArray jahre;
    const std::size_t n = std::max(p.BP.size(), p.FRV.size());
    for (std::size_t k = 0; k < n; ++k) {
        QJsonObject j;
        j["Jahr"] = static_cast<int>(k + 1);
        j["BP"] = DoubleToJson(k < p.BP.size() ? p.BP[k].BP : 0.0);
        j["BP_Summe"] = DoubleToJson(k < p.BP.size() ? p.BP[k].BP_Summe : 0.0);
        j["FRV"] = DoubleToJson(k < p.FRV.size() ? p.FRV[k].FRV : 0.0);
        j["FRV_Summe"] = DoubleToJson(k < p.FRV.size() ? p.FRV[k].FRV_Summe : 0.0);
        jahre.append(j);
    }
    o["Jahre"] = jahre;
    return o;
}

// The cost overview of the shown scenarios; null without an accumulation.
// A figure beyond the range of a double leaves it null as well, and says so,
// so that the documented results still come out.
QJsonValue kosten(const TPerformCalc& calc) {
    std::optional<TKostenuebersicht> uebersicht;
    try {
        uebersicht = Kostenuebersicht(calc);
    } catch (const EMathError& e) {
        std::fprintf(stderr, "Kostenübersicht: %s\n", FehlerText(e).c_str());
    }
    if (!uebersicht)
        return QJsonValue::Null;
    QJsonArray szenarien;
    for (const TKostenSzenario& s : *uebersicht) {
        QJsonObject o;
        o["Einzahlungen"] = DoubleToJson(s.Einzahlungen);
        o["Einrichtungsgebuehr"] = DoubleToJson(s.Einrichtungsgebuehr);
        o["Managementgebuehr"] = DoubleToJson(s.Managementgebuehr);
        o["Depotgebuehr"] = DoubleToJson(s.Depotgebuehr);
        o["KostenGesamt"] = DoubleToJson(s.KostenGesamt);
        o["DepotwertOhneKosten"] = DoubleToJson(s.DepotwertOhneKosten);
        o["DepotwertMitKosten"] = DoubleToJson(s.DepotwertMitKosten);
        o["Renditeminderung"] =
            s.Renditeminderung ? DoubleToJson(*s.Renditeminderung) : QJsonValue(QJsonValue::Null);
        szenarien.append(o);
    }
    return szenarien;
}

int rechnen(const std::string& datei) {
    TPerformCalc calc;
    TProvisionsProtokoll protokoll;
    calc.Provision = &protokoll;

    LoadPlanRecord(calc.Rec, datei);
    calc.Rec.Zugriffsstufe = 0;

    RecalculateAsProgram(calc);
    bool gefunden = false;
    const TPlanRecord& r = calc.Rec;
    if (FRVLookupApplies(r))
        gefunden = LadeFRVFuerPlan(r, calc.Aufbautabelle, FrvFolder());

    QJsonObject ergebnis;
    ergebnis["record"] = PlanRecordToJson(calc.Rec);
    ergebnis["aufbautabelle"] = tabelle(calc.Aufbautabelle);
    ergebnis["entnahmetabelle"] = tabelle(calc.Entnahmetabelle);
    ergebnis["provision"] = provision(protokoll);
    ergebnis["kosten"] = kosten(calc);
    ergebnis["frv_found"] = gefunden;
    const std::string text = JsonText(ergebnis);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

} // namespace

int cmdCalc(const Args& args) {
    if (args.size() != 1) {
        std::fputs("Aufruf: orvanta-tool calc DATEI.Dat\n", stderr);
        return 2;
    }
    try {
        return rechnen(args[0]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", FehlerText(e).c_str());
        return 1;
    }
}

} // namespace orvanta::tool
