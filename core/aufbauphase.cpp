// The accumulation phase of TPerformCalc. It follows the plain
// transcription step for step (same operations in the same order, so the
// same bits) but fuses the scenario loops and computes the values that are
// constant for the whole run once.

#include "core/calcdetail.h"
#include "core/fpcheck.h"
#include "core/performcalc.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace orvanta {

using detail::TProvisionsJahr;
using detail::TProvisionsZahlen;

void TPerformCalc::BerechneAufbauphase() {
    PruefeBereich(Rec);
    TPlanRecord rec = Rec;
    TPerformanceDataArray tabelle;
    TProvisionsZahlen provision;
    ClearFpFlags();

    const std::int32_t art = rec.Anlageart;
    double NIW[6], Kapital[6], Jahreszins[6] = {}, MF1[6] = {}, r12[6];
    double laufenderSparbetrag = 0, SparSumme = 0, Systemanlagebetrag = 0, Uebertragung = 0;
    double BP1 = 0, FRVSumme = 0, Bewertungssumme = 0, Anlagesumme = 0;
    // Beside the steps, for the cost overview; equal in every scenario but
    // the management fee.
    TKostensummen kosten;
    double agioraten = 0, depotgebuehren = 0;

    if (art == KindSystemEinmalanlage) {
        Systemanlagebetrag = rec.Anlagebetrag;
        Uebertragung = rec.Uebertragungsmonate >= 1 ? rec.Anlagebetrag / rec.Uebertragungsmonate
                                                    : rec.Anlagebetrag;
    }
    for (int i = 0; i < 6; ++i)
        Kapital[i] = art == KindEinmalanlage ? rec.Anlagebetrag : 0;
    if (art == KindAufbauplan) {
        laufenderSparbetrag = rec.Sparbetrag;
        Bewertungssumme =
            static_cast<double>(std::int64_t{std::min(36, rec.Einzahlungsdauer)} * 12) *
            rec.Sparbetrag;
        Anlagesumme = static_cast<double>(std::int64_t{rec.Einzahlungsdauer} * 12) * rec.Sparbetrag;
    } else {
        laufenderSparbetrag = art == KindSystemEinmalanlage ? Uebertragung : 0;
        Bewertungssumme = rec.Anlagebetrag;
        Anlagesumme = rec.Anlagebetrag;
        SparSumme = rec.Anlagebetrag;
    }
    rec.Anlagesumme = Anlagesumme;
    const double AP = rec.AP_Provisionssatz / 100 * Bewertungssumme;
    provision.AP = AP;
    rec.BP_Summe = 0;
    rec.FRV_Summe = 0;
    const double Agio = rec.Agio_Satz / 100 * Bewertungssumme;
    rec.AgioMonate = rec.Laufzeit > 2 ? 36 : rec.Laufzeit == 2 ? 24 : 12;
    const double Refinanzierung =
        static_cast<double>(rec.AgioMonate - 1) / 12 * Agio * rec.Agio_Ratenzuschlag / 100 / 2;
    const double AgioRate = (Agio + Refinanzierung) / rec.AgioMonate;

    if (rec.Laufzeit >= 1) {
        const std::int64_t letzterMonat = std::int64_t{rec.Laufzeit} * 12;
        const std::int64_t zahlMonate = std::int64_t{rec.Einzahlungsdauer} * 12;
        // Without a transfer period the lump sum is one transfer in month 0.
        const std::int64_t uebertragungsende =
            rec.Uebertragungsmonate >= 1 ? rec.Uebertragungsmonate : 1;
        const std::int64_t letzteUebertragung = std::int64_t{rec.Uebertragungsmonate} - 1;
        const bool bpIndexGueltig = rec.BP_Performance >= 0 && rec.BP_Performance <= 5;
        const int bpIndex = bpIndexGueltig ? rec.BP_Performance : 0;
        const bool agioRaten = rec.MitEinrichtungsgebuehr &&
                               rec.AgioZahlungsart == AgioRatierlich &&
                               rec.Anlagestrategie != StrategieZ;
        const bool mitMF = rec.MitManagementFee;
        const bool mitDepot = rec.MitDepotgebuehr;
        // Same values as the expressions of each step, computed once.
        for (int i = 0; i < 6; ++i)
            r12[i] = rec.Performance[i] / 100 / 12;
        const double mfSatz = rec.ManagementFee / 200;
        const double bpSatz = rec.BP_Provisionssatz / 200;
        const double systemZins = 1 + rec.Zins_SystemEinmalanlage / 100 / 12;
        const double dynamik = 1 + rec.Dynamik / 100;
        const double AP_FRV = rec.AP_Provisionssatz_FRV / 100 * Bewertungssumme;
        tabelle.reserve(static_cast<std::size_t>(rec.Laufzeit) + 1);
        provision.Jahre.reserve(static_cast<std::size_t>(rec.Laufzeit));

        for (std::int64_t m = 0; m <= letzterMonat; ++m) {
            const bool jahresende = m > 0 && m % 12 == 0;
            const bool halbjahr = m % 12 == 6;
            if (art == KindSystemEinmalanlage && m > 0) {
                Systemanlagebetrag = Systemanlagebetrag * systemZins;
                if (m == uebertragungsende) {
                    laufenderSparbetrag = Uebertragung;
                    Systemanlagebetrag = 0;
                    Uebertragung = 0;
                } else {
                    Systemanlagebetrag = Systemanlagebetrag - Uebertragung;
                    laufenderSparbetrag = Uebertragung;
                }
            }
            if (m > 0) {
                for (int i = 0; i < 6; ++i) {
                    NIW[i] = Kapital[i];
                    Jahreszins[i] += r12[i] * Kapital[i];
                }
            } else {
                for (int i = 0; i < 6; ++i)
                    NIW[i] = Kapital[i];
            }
            if (jahresende) {
                for (int i = 0; i < 6; ++i) {
                    NIW[i] += Jahreszins[i];
                    Jahreszins[i] = 0;
                }
            }
            if (agioRaten && m >= 1 && m <= rec.AgioMonate) {
                for (int i = 0; i < 6; ++i)
                    NIW[i] -= AgioRate;
                agioraten += AgioRate * Kostenskala;
            }
            if (mitMF && jahresende) {
                for (int i = 0; i < 6; ++i) {
                    const double MF = MF1[i] + mfSatz * NIW[i];
                    NIW[i] -= MF;
                    kosten.Managementgebuehr[i] += MF * Kostenskala;
                }
            }
            if (mitMF && halbjahr) {
                for (int i = 0; i < 6; ++i)
                    MF1[i] = mfSatz * NIW[i];
            }
            if (mitDepot && jahresende) {
                for (int i = 0; i < 6; ++i)
                    NIW[i] -= rec.Depotgebuehr;
                depotgebuehren += rec.Depotgebuehr * Kostenskala;
            }
            if ((jahresende || halbjahr) && !bpIndexGueltig) {
                CheckFpFlagsAfter(NIW);
                throw ERangeError();
            }
            if (jahresende) {
                const double BPJahr = BP1 + bpSatz * NIW[bpIndex];
                rec.BP_Summe += BPJahr;
                TProvisionsJahr j;
                j.BP = BPJahr;
                j.BP_Summe = rec.BP_Summe;
                j.BP_Gesamt = rec.BP_Summe + AP;
                if (art == KindAufbauplan) {
                    const double FRVJahr =
                        laufenderSparbetrag * 12 * rec.AP_Provisionssatz_FRV / 100;
                    FRVSumme += FRVJahr;
                    rec.FRV_Summe = FRVSumme;
                    j.MitFRV = true;
                    j.FRV = FRVJahr;
                    j.FRV_Summe = rec.FRV_Summe;
                    j.AP_FRV = AP_FRV;
                    j.FRV_Gesamt = AP_FRV + rec.FRV_Summe;
                }
                provision.Jahre.push_back(j);
            } else if (halbjahr) {
                BP1 = bpSatz * NIW[bpIndex];
            }
            if (art == KindAufbauplan && static_cast<double>(m) / 12 > rec.Einzahlungsdauer)
                laufenderSparbetrag = 0;
            if (m % 12 == 0) {
                TPerformanceData& z = tabelle.emplace_back();
                z.Betrag = laufenderSparbetrag;
                z.Alter = static_cast<std::int32_t>(rec.Eintrittsalter + m / 12 - 1);
                z.Jahr = static_cast<double>(m / 12);
                for (int i = 0; i < 6; ++i) {
                    z.Summe[i] = SparSumme;
                    z.NIW[i] = NIW[i];
                }
            }
            if (art == KindAufbauplan && jahresende)
                laufenderSparbetrag = laufenderSparbetrag * dynamik;
            if (m < zahlMonate) {
                if (art == KindAufbauplan) {
                    for (int i = 0; i < 6; ++i)
                        NIW[i] += laufenderSparbetrag;
                    SparSumme += laufenderSparbetrag;
                } else if (art == KindSystemEinmalanlage) {
                    if (m == letzteUebertragung) {
                        const double rest = systemZins * Systemanlagebetrag;
                        for (int i = 0; i < 6; ++i)
                            NIW[i] += rest;
                    } else {
                        for (int i = 0; i < 6; ++i)
                            NIW[i] += Uebertragung;
                    }
                }
            }
            for (int i = 0; i < 6; ++i)
                Kapital[i] = NIW[i];
        }
        rec.AgioBetrag = Agio;
        kosten.Berechnet = true;
        kosten.Einzahlungen = SparSumme;
        for (int i = 0; i < 6; ++i) {
            kosten.Agioraten[i] = agioraten;
            kosten.Depotgebuehr[i] = depotgebuehren;
        }
    }
    for (int i = 0; i < 6; ++i)
        rec.Kapital[i] = Kapital[i];

    CheckFpFlagsAfter(rec, provision, tabelle);
    detail::PruefeAufbauErgebnis(rec, tabelle, provision);
    detail::UebernimmAufbauErgebnis(Rec, rec);
    Aufbautabelle = std::move(tabelle);
    Kostensummen = kosten;
    detail::Liefern(provision, Provision);
}

} // namespace orvanta
