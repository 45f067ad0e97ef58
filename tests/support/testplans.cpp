#include "tests/support/testplans.h"

#include "core/cp1252.h"
#include "core/xorcodierung.h"

#include <cstring>

namespace orvanta::testing {

namespace {

const double kSzenarien[6] = {0, 0, 3, 6, 9, 6};

} // namespace

TPlanRecord LeererPlan() {
    TPlanRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

TPlanRecord BeispielPlan() {
    TPlanRecord r = LeererPlan();
    ShortStringFromUtf8(r.Nachname, "Müller");
    ShortStringFromUtf8(r.Vorname, "Hans");
    ShortStringFromUtf8(r.Version, "alt");
    r.Eintrittsalter = 40;
    r.Geschlecht = GeschlechtMaennlich;
    r.Anlageart = KindAufbauplan;
    r.Sparbetrag = 200;
    r.Anlagebetrag = 10000;
    r.Laufzeit = 25;
    r.Einzahlungsdauer = 25;
    std::memcpy(r.Performance, kSzenarien, sizeof kSzenarien);
    r.Anlagestrategie = StrategieW;
    r.Anlagestrategie_Entnahme = StrategieW;
    r.AuszBeginn = 65;
    r.AuszEnde = 85;
    r.AuszEndeArt = Ende95;
    r.Monatsrente = 500;
    r.Rentenkapital = 100000;
    r.Kapital_Szenario = 3;
    r.MitEinrichtungsgebuehr = 1;
    r.Agio_Satz = 5;
    r.AgioZahlungsart = AgioSofort;
    r.Agio_Ratenzuschlag = 4;
    r.Zins_SystemEinmalanlage = 1.5;
    r.Grafik_Phase = 1;
    r.Grafik_Szenario = 3;
    r.Ansicht = 2;
    r.BP_Satz = 1;
    r.BP_Performance = 3;
    r.Rentengarantie = 1;
    r.FRV_Parameter = 1;
    r.Zugriffsstufe = 3; // the load closes the lock again
    ShortStringFromUtf8(r.Berater, "Anna Beraterin");
    return r;
}

TPlanRecord MitPasswoertern(TPlanRecord r) {
    r.Passwort_1.assign(XorCodierung("berater"));
    r.Passwort_2.assign(XorCodierung("vertrieb"));
    r.Passwort_3.assign(XorCodierung("direktion"));
    const char* links[4] = {"https://example.invalid/f", "https://example.invalid/s",
                            "https://example.invalid/w", "https://example.invalid/z"};
    for (int k = 0; k < 4; ++k)
        r.Strategie_Link[k].assign(links[k]);
    r.Verkaufsdoku_Link.assign("https://example.invalid/doku");
    r.Einzahlungsphase_drucken = 1;
    r.Entnahmephase_drucken = 1;
    return r;
}

TPerformCalc sparplan(double rate, int laufzeit) {
    TPerformCalc c;
    TPlanRecord& r = c.Rec;
    r.Anlageart = KindAufbauplan;
    r.Sparbetrag = 100;
    r.Laufzeit = laufzeit;
    r.Einzahlungsdauer = laufzeit;
    r.Eintrittsalter = 35;
    r.Geschlecht = GeschlechtMaennlich;
    r.AgioZahlungsart = AgioSofort;
    r.Anlagestrategie = StrategieF;
    r.BP_Performance = 3;
    for (double& p : r.Performance)
        p = rate;
    r.AuszBeginn = 65;
    r.AuszEnde = 95;
    r.AuszEndeArt = Ende95;
    r.AuszDauer = 30;
    r.Kapital_Szenario = 3;
    return c;
}

TPerformCalc entnahme(double rk, double mr, int dauer, int beginn) {
    TPerformCalc c = sparplan(0, 0);
    TPlanRecord& r = c.Rec;
    std::memcpy(r.Performance, kSzenarien, sizeof kSzenarien);
    r.Rentenkapital = rk;
    r.Monatsrente = mr;
    r.AuszBeginn = beginn;
    r.AuszDauer = dauer;
    return c;
}

TPlanRecord Provisionsplan(int laufzeit) {
    TPlanRecord r = sparplan(0, laufzeit).Rec;
    r.AP_Provisionssatz = 3;
    r.AP_Provisionssatz_FRV = 1.5;
    r.BP_Satz = 2;
    r.BP_Provisionssatz = 0.2;
    return r;
}

void FillPlan(TPerformCalc& calc, const TPlanSpec& plan) {
    calc.Rec = LeererPlan();
    TPlanRecord& rec = calc.Rec;
    rec.Vorname.assign("Max");
    rec.Nachname.assign("Mustermann");
    rec.Berater.assign("Anna Beispiel");
    rec.Firma.assign("Beispiel Finanzberatung GmbH");
    rec.Strasse.assign("Musterstra\xdf"
                       "e 12"); // Windows-1252
    rec.Anschrift.assign("60311, Frankfurt am Main");
    rec.Telefon.assign("069 123456-0");
    rec.Eintrittsalter = 35;
    rec.Laufzeit = plan.Laufzeit;
    rec.Einzahlungsdauer = plan.Laufzeit;
    rec.Anlageart = plan.Anlageart;
    rec.Sparbetrag = 100;
    rec.Anlagebetrag = 10000;
    rec.Anlagesumme = plan.Anlageart == KindAufbauplan ? 12.0 * plan.Laufzeit * 100 : 10000;
    rec.Uebertragungsmonate = 24;
    rec.Anlagestrategie = StrategieW;
    rec.Anlagestrategie_Entnahme = StrategieS;
    std::memcpy(rec.Performance, kSzenarien, sizeof kSzenarien);
    rec.Dynamik = 5;
    rec.AgioZahlungsart = AgioRatierlich;
    rec.MitEinrichtungsgebuehr = 1;
    rec.AgioMonate = 36;
    rec.Grafik_drucken = 1;
    rec.Einzahlungsphase_drucken = plan.Einzahlung;
    rec.Entnahmephase_drucken = plan.Entnahme;
    rec.AuszEndeArt = plan.AuszEndeArt;
    rec.AuszBeginn = 65;
    rec.AuszDauer = plan.AuszEndeArt == EndeOhneKapitalverzehr ? AuszDauerOhneKapitalverzehr
                                                               : plan.Entnahmejahre;
    rec.Monatsrente = 500;
    rec.Rentenkapital = 100000;
    rec.Erforderliche_Wertentwicklung = 6;

    const double* rates = kSzenarien;
    calc.Aufbautabelle.clear();
    if (plan.Laufzeit > 0) {
        double niw[6] = {};
        double betrag = 100;
        for (int year = 0; year <= plan.Laufzeit; ++year) {
            TPerformanceData row;
            row.Jahr = year;
            row.Alter = rec.Eintrittsalter + year - 1;
            row.Betrag = betrag;
            for (int i = 0; i < 6; ++i) {
                row.NIW[i] = niw[i];
                niw[i] = niw[i] * (1 + rates[i] / 100) + 12 * betrag;
            }
            if (year > 0)
                betrag *= 1.05;
            calc.Aufbautabelle.push_back(row);
        }
        for (int i = 0; i < 6; ++i)
            rec.Kapital_Einzahlungsende[i] = calc.Aufbautabelle.back().NIW[i];
    }

    calc.Entnahmetabelle.clear();
    if (plan.Entnahmejahre >= 0) {
        double niw[6];
        double summe[6] = {};
        for (int i = 0; i < 6; ++i)
            niw[i] = rec.Rentenkapital;
        for (int year = 0; year <= plan.Entnahmejahre; ++year) {
            TPerformanceData row;
            row.Jahr = year;
            row.Alter = rec.AuszBeginn + year - 1;
            row.Betrag = rec.Monatsrente;
            if (year > 0) {
                for (int i = 0; i < 6; ++i) {
                    const double paid = niw[i] < 6000 ? niw[i] : 6000;
                    summe[i] += paid;
                    niw[i] = (niw[i] - paid) * (1 + rates[i] / 100);
                    if (niw[i] < 1)
                        niw[i] = 0;
                }
            }
            for (int i = 0; i < 6; ++i) {
                row.NIW[i] = niw[i];
                row.Summe[i] = summe[i];
            }
            calc.Entnahmetabelle.push_back(row);
        }
    }
}

} // namespace orvanta::testing
