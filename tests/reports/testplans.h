#pragma once
// Plans for the report tests: a record and result tables filled by hand, so
// that the pages can be laid out without running the calculations.

#include "core/performcalc.h"

#include <cstring>

namespace orvanta::reports::test {

struct TPlanSpec {
    int Laufzeit = 30;
    int Entnahmejahre = 20; // rows 1..H of the withdrawal table; < 0: empty table
    int Anlageart = 1;
    bool Einzahlung = true;
    bool Entnahme = true;
    int AuszEndeArt = 4;
};

inline void SetText(auto& field, const char* text) {
    field.assign(text);
}

// A record and tables that look like a calculated plan. Values grow by the
// scenario rate; a withdrawal scenario at 0 % runs out of capital.
inline void FillPlan(TPerformCalc& calc, const TPlanSpec& plan) {
    std::memset(&calc.Rec, 0, sizeof calc.Rec);
    TPlanRecord& rec = calc.Rec;
    SetText(rec.Vorname, "Max");
    SetText(rec.Nachname, "Mustermann");
    SetText(rec.Berater, "Anna Beispiel");
    SetText(rec.Firma, "Beispiel Finanzberatung GmbH");
    SetText(rec.Strasse, "Musterstra\xdf"
                         "e 12"); // Windows-1252
    SetText(rec.Anschrift, "60311, Frankfurt am Main");
    SetText(rec.Telefon, "069 123456-0");
    rec.Eintrittsalter = 35;
    rec.Laufzeit = plan.Laufzeit;
    rec.Einzahlungsdauer = plan.Laufzeit;
    rec.Anlageart = plan.Anlageart;
    rec.Sparbetrag = 100;
    rec.Anlagebetrag = 10000;
    rec.Anlagesumme = plan.Anlageart == 1 ? 12.0 * plan.Laufzeit * 100 : 10000;
    rec.Uebertragungsmonate = 24;
    rec.Anlagestrategie = 3;
    rec.Anlagestrategie_Entnahme = 2;
    const double rates[6] = {0, 0, 3, 6, 9, 6};
    std::memcpy(rec.Performance, rates, sizeof rates);
    rec.Dynamik = 5;
    rec.AgioZahlungsart = 2;
    rec.MitEinrichtungsgebuehr = 1;
    rec.AgioMonate = 36;
    rec.Grafik_drucken = 1;
    rec.Einzahlungsphase_drucken = plan.Einzahlung;
    rec.Entnahmephase_drucken = plan.Entnahme;
    rec.AuszEndeArt = plan.AuszEndeArt;
    rec.AuszBeginn = 65;
    rec.AuszDauer = plan.AuszEndeArt == 5 ? 999 : plan.Entnahmejahre;
    rec.Monatsrente = 500;
    rec.Rentenkapital = 100000;
    rec.Erforderliche_Wertentwicklung = 6;

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

} // namespace orvanta::reports::test
