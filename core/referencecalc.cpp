#include "core/referencecalc.h"

#include "core/calcdetail.h"
#include "core/fpcheck.h"
#include "core/sichersuche.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace orvanta::referenz {

using detail::TProvisionsJahr;
using detail::TProvisionsZahlen;

void BerechneAufbauphase(TPerformCalc& calc) {
    PruefeBereich(calc.Rec);
    TPlanRecord rec = calc.Rec;
    TPerformanceDataArray tabelle;
    TProvisionsZahlen provision;
    ClearFpFlags();

    double NIW[6] = {}, Kapital[6] = {}, Zins[6] = {}, Jahreszins[6] = {}, MF1[6] = {};
    double laufenderSparbetrag = 0, SparSumme = 0, Systemanlagebetrag = 0, Uebertragung = 0;
    double BP1 = 0, FRVSumme = 0, Bewertungssumme = 0, Anlagesumme = 0;
    TKostensummen kosten; // beside steps 5, 6 and 8, for the cost overview

    // Preparation.
    if (rec.Anlageart == KindSystemEinmalanlage) {
        Systemanlagebetrag = rec.Anlagebetrag;
        Uebertragung = rec.Uebertragungsmonate >= 1 ? rec.Anlagebetrag / rec.Uebertragungsmonate
                                                    : rec.Anlagebetrag;
    }
    for (int i = 0; i < 6; ++i) {
        Kapital[i] = rec.Anlageart == KindEinmalanlage ? rec.Anlagebetrag : 0;
        Jahreszins[i] = 0;
    }
    if (rec.Anlageart == KindAufbauplan) {
        laufenderSparbetrag = rec.Sparbetrag;
        Bewertungssumme =
            static_cast<double>(std::int64_t{std::min(36, rec.Einzahlungsdauer)} * 12) *
            rec.Sparbetrag;
        Anlagesumme = static_cast<double>(std::int64_t{rec.Einzahlungsdauer} * 12) * rec.Sparbetrag;
        SparSumme = 0;
    } else {
        laufenderSparbetrag = rec.Anlageart == KindSystemEinmalanlage ? Uebertragung : 0;
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
        const bool bpIndexGueltig = rec.BP_Performance >= 0 && rec.BP_Performance <= 5;
        double BP2 = 0;
        for (std::int64_t m = 0; m <= letzterMonat; ++m) {
            const bool jahresende = m > 0 && m % 12 == 0;
            const bool halbjahr = m > 0 && m % 6 == 0 && m % 12 != 0;
            // 1
            if (rec.Anlageart == KindSystemEinmalanlage && m > 0) {
                Systemanlagebetrag =
                    Systemanlagebetrag * (1 + rec.Zins_SystemEinmalanlage / 100 / 12);
                if (m == uebertragungsende) {
                    laufenderSparbetrag = Uebertragung;
                    Systemanlagebetrag = 0;
                    Uebertragung = 0;
                } else {
                    Systemanlagebetrag = Systemanlagebetrag - Uebertragung;
                    laufenderSparbetrag = Uebertragung;
                }
            }
            // 2
            for (int i = 0; i < 6; ++i)
                NIW[i] = Kapital[i];
            // 3
            if (m > 0) {
                for (int i = 0; i < 6; ++i) {
                    Zins[i] = rec.Performance[i] / 100 / 12 * Kapital[i];
                    Jahreszins[i] += Zins[i];
                }
            }
            // 4
            if (jahresende) {
                for (int i = 0; i < 6; ++i) {
                    NIW[i] += Jahreszins[i];
                    Jahreszins[i] = 0;
                }
            }
            // 5
            if (rec.MitEinrichtungsgebuehr && rec.AgioZahlungsart == AgioRatierlich && m >= 1 &&
                m <= rec.AgioMonate && rec.Anlagestrategie != StrategieZ) {
                for (int i = 0; i < 6; ++i) {
                    NIW[i] -= AgioRate;
                    kosten.Agioraten[i] += AgioRate * Kostenskala;
                }
            }
            // 6
            if (rec.MitManagementFee && jahresende) {
                for (int i = 0; i < 6; ++i) {
                    const double MF2 = rec.ManagementFee / 200 * NIW[i];
                    NIW[i] -= MF1[i] + MF2;
                    kosten.Managementgebuehr[i] += (MF1[i] + MF2) * Kostenskala;
                }
            }
            // 7
            if (rec.MitManagementFee && halbjahr) {
                for (int i = 0; i < 6; ++i)
                    MF1[i] = rec.ManagementFee / 200 * NIW[i];
            }
            // 8
            if (rec.MitDepotgebuehr && jahresende) {
                for (int i = 0; i < 6; ++i) {
                    NIW[i] -= rec.Depotgebuehr;
                    kosten.Depotgebuehr[i] += rec.Depotgebuehr * Kostenskala;
                }
            }
            if ((jahresende || halbjahr) && !bpIndexGueltig) {
                // An earlier floating-point error would have ended the run first.
                CheckFpFlagsAfter(NIW);
                throw ERangeError();
            }
            // 9
            if (jahresende) {
                BP2 = rec.BP_Provisionssatz / 200 * NIW[rec.BP_Performance];
                const double BPJahr = BP1 + BP2;
                rec.BP_Summe += BPJahr;
                TProvisionsJahr j;
                j.BP = BPJahr;
                j.BP_Summe = rec.BP_Summe;
                j.BP_Gesamt = rec.BP_Summe + AP;
                provision.Jahre.push_back(j);
            }
            // 10
            if (halbjahr)
                BP1 = rec.BP_Provisionssatz / 200 * NIW[rec.BP_Performance];
            // 11
            if (rec.Anlageart == KindAufbauplan && jahresende) {
                const double FRVJahr = laufenderSparbetrag * 12 * rec.AP_Provisionssatz_FRV / 100;
                FRVSumme += FRVJahr;
                rec.FRV_Summe = FRVSumme;
                const double AP_FRV = rec.AP_Provisionssatz_FRV / 100 * Bewertungssumme;
                TProvisionsJahr& j = provision.Jahre.back();
                j.MitFRV = true;
                j.FRV = FRVJahr;
                j.FRV_Summe = rec.FRV_Summe;
                j.AP_FRV = AP_FRV;
                j.FRV_Gesamt = AP_FRV + rec.FRV_Summe;
            }
            // 12
            if (rec.Anlageart == KindAufbauplan &&
                static_cast<double>(m) / 12 > rec.Einzahlungsdauer)
                laufenderSparbetrag = 0;
            // 13
            if (m % 12 == 0) {
                TPerformanceData z;
                z.Betrag = laufenderSparbetrag;
                z.Alter = static_cast<std::int32_t>(rec.Eintrittsalter + m / 12 - 1);
                z.Jahr = static_cast<double>(m / 12);
                for (int i = 0; i < 6; ++i) {
                    z.Summe[i] = SparSumme;
                    z.FRV_Wert[i] = 0;
                    z.NIW[i] = NIW[i];
                }
                tabelle.push_back(z);
            }
            // 14
            if (rec.Anlageart == KindAufbauplan && jahresende)
                laufenderSparbetrag = laufenderSparbetrag * (1 + rec.Dynamik / 100);
            // 15
            if (m < zahlMonate) {
                if (rec.Anlageart == KindAufbauplan) {
                    for (int i = 0; i < 6; ++i)
                        NIW[i] += laufenderSparbetrag;
                    SparSumme += laufenderSparbetrag;
                } else if (rec.Anlageart == KindSystemEinmalanlage) {
                    if (m == static_cast<std::int64_t>(rec.Uebertragungsmonate) - 1) {
                        for (int i = 0; i < 6; ++i)
                            NIW[i] +=
                                (1 + rec.Zins_SystemEinmalanlage / 100 / 12) * Systemanlagebetrag;
                    } else {
                        for (int i = 0; i < 6; ++i)
                            NIW[i] += Uebertragung;
                    }
                }
            }
            // 16
            for (int i = 0; i < 6; ++i)
                Kapital[i] = NIW[i];
        }
        rec.AgioBetrag = Agio;
        kosten.Berechnet = true;
        kosten.Einzahlungen = SparSumme;
    }
    for (int i = 0; i < 6; ++i)
        rec.Kapital[i] = Kapital[i];

    CheckFpFlagsAfter(rec, provision, tabelle);
    detail::PruefeAufbauErgebnis(rec, tabelle, provision);
    detail::UebernimmAufbauErgebnis(calc.Rec, rec);
    calc.Aufbautabelle = std::move(tabelle);
    calc.Kostensummen = kosten;
    detail::Liefern(provision, calc.Provision);
}

namespace {

[[noreturn]] void aufgeben(TEntnahmeSuche suche, double performance) {
    throw EKonvergenzError(KonvergenzText(suche, performance));
}

// A division by zero (a duration of 0 years) ends the calculation as
// documented; the other flags of a search are left to the safeguarded method.
void pruefeDivision() {
    if (std::fetestexcept(FE_DIVBYZERO))
        CheckFpFlags();
}

// Search of step 2 and 3: the monthly withdrawal that uses up capital K in N years.
double moeglicheEntnahme(std::int32_t N, double K, double r, double start) {
    const TFlagSicherung flags;
    double w = start;
    double E = Endkapital(N, K, r, w);
    TSchrittWaechter waechter(N);
    while (std::fabs(E) > 1) {
        if (!waechter.Weiter(E, w))
            return SicherSuchen(TSicherArt::Entnahme, N, K, r, waechter.BesterWert());
        w = w + E / static_cast<double>(std::int64_t{12} * N) / 75;
        pruefeDivision();
        E = Endkapital(N, K, r, w);
    }
    return w;
}

// Search of step 4: the capital that Monatsrente MR uses up in N years.
double erforderlichesKapital(std::int32_t N, double RK, double r, double MR) {
    const TFlagSicherung flags;
    double K = RK;
    double E = Endkapital(N, K, r, MR);
    TSchrittWaechter waechter(N);
    while (std::fabs(E) > 1) {
        if (!waechter.Weiter(E, K))
            return SicherSuchen(TSicherArt::Kapital, N, MR, r, waechter.BesterWert());
        K = K - E / N / 10;
        pruefeDivision();
        E = Endkapital(N, K, r, MR);
    }
    return K;
}

// The same without consumption of the capital: the capital one year keeps.
double erforderlichesKapitalEwig(double RK, double r, double MR) {
    const TFlagSicherung flags;
    double K = RK;
    double E = Endkapital(1, K, r, MR);
    TSchrittWaechter waechter(1);
    while (E < 0 || std::fabs(K - E) > 1) {
        if (!waechter.Weiter(K - E, K))
            return SicherSuchen(TSicherArt::KapitalEwig, 1, MR, r, waechter.BesterWert());
        K = K - (E - K) / 20;
        E = Endkapital(1, K, r, MR);
    }
    return K;
}

} // namespace

double EwigeEntnahme(double K, double r, TEntnahmeSuche suche, double performance) {
    double J0 = orvanta::Jahreszins(K, r, 0);
    double w = J0 / 12;
    double J1 = orvanta::Jahreszins(K, r, w);
    TSuchwaechter waechter;
    while (std::fabs(J0 - J1) > 0.0001) {
        if (!waechter.Weiter(J0 - J1))
            aufgeben(suche, performance);
        w = w - (J0 - J1) / 12;
        J0 = J1;
        J1 = orvanta::Jahreszins(K, r, w);
        CheckFpFlagsAfter(w, J1);
    }
    return J1 / 12;
}

double ErforderlicheWertentwicklung(std::int32_t N, double RK, double MR) {
    double p = 0;
    std::int64_t schritte = 0;
    if (N != AuszDauerOhneKapitalverzehr) {
        while (Endkapital(N, RK, p / 100, MR) < 0) {
            if (++schritte > TSuchwaechter::HoechstzahlRendite)
                aufgeben(TEntnahmeSuche::Wertentwicklung, 0);
            p = p + 0.005;
            CheckFpFlagsAfter(p);
        }
    } else {
        while (Endkapital(1, RK, p / 100, MR) < RK) {
            if (++schritte > TSuchwaechter::HoechstzahlRendite)
                aufgeben(TEntnahmeSuche::Wertentwicklung, 0);
            p = p + 0.005;
            CheckFpFlagsAfter(p);
        }
    }
    return p;
}

void BerechneEntnahmephase(TPerformCalc& calc) {
    PruefeBereich(calc.Rec);
    TPlanRecord rec = calc.Rec;
    TPerformanceDataArray tabelle;
    ClearFpFlags();

    const double RK = rec.Rentenkapital;
    const double MR = rec.Monatsrente;
    const std::int32_t N = rec.AuszDauer;
    double NIW[6] = {}, Entnahmesumme[6] = {}, Jahreszins[6] = {};

    for (int i = 0; i < 6; ++i) {
        rec.Kapital_Entnahme[i] = RK;
        rec.Kapital_Einzahlungsende[i] = detail::KapitalEinzahlungsende(rec, calc.Aufbautabelle, i);
        Entnahmesumme[i] = 0;
        Jahreszins[i] = 0;
    }

    const std::int64_t n = detail::EntnahmeMonate(rec);
    for (std::int64_t m = 0; m <= n; ++m) {
        for (int i = 0; i < 6; ++i)
            NIW[i] = rec.Kapital_Entnahme[i];
        if (m > 0) {
            for (int i = 0; i < 6; ++i)
                Jahreszins[i] += rec.Performance[i] / 100 / 12 * rec.Kapital_Entnahme[i];
        }
        if (m > 0 && m % 12 == 0) {
            for (int i = 0; i < 6; ++i) {
                NIW[i] += Jahreszins[i];
                Jahreszins[i] = 0;
            }
        }
        if (m > 0) {
            for (int i = 0; i < 6; ++i) {
                if (NIW[i] > 0)
                    Entnahmesumme[i] += NIW[i] >= MR ? MR : NIW[i];
                NIW[i] = std::max(NIW[i] - MR, 0.0);
            }
        }
        if (m % 12 == 0) {
            TPerformanceData z;
            z.Betrag = MR;
            z.Alter = static_cast<std::int32_t>(rec.AuszBeginn + m / 12 - 1);
            z.Jahr = static_cast<double>(m) / 12;
            for (int i = 0; i < 6; ++i) {
                z.Summe[i] = Entnahmesumme[i];
                z.FRV_Wert[i] = 0;
                z.NIW[i] = NIW[i];
            }
            tabelle.push_back(z);
        }
        for (int i = 0; i < 6; ++i)
            rec.Kapital_Entnahme[i] = NIW[i];
    }
    CheckFpFlagsAfter(rec, tabelle);

    for (int i = 0; i < 6; ++i) {
        const double performance = rec.Performance[i];
        const double r = performance / 100;

        // 1: perpetual withdrawal.
        rec.Entnahme_ewig[i] = EwigeEntnahme(RK, r, TEntnahmeSuche::EntnahmeEwig, performance);
        rec.Entnahme_moeglich[i] = rec.Entnahme_ewig[i];

        // 2: possible withdrawal over N years.
        if (N != AuszDauerOhneKapitalverzehr)
            rec.Entnahme_moeglich[i] = moeglicheEntnahme(N, RK, r, rec.Entnahme_ewig[i]);

        // 3: the same from the accumulated capital. Without consumption of
        // the capital that is the perpetual withdrawal of the accumulated
        // capital itself, not the one of Rentenkapital.
        if (N != AuszDauerOhneKapitalverzehr)
            rec.Entnahme_aus_Einzahlung[i] =
                moeglicheEntnahme(N, rec.Kapital_Einzahlungsende[i], r, rec.Entnahme_ewig[i]);
        else
            rec.Entnahme_aus_Einzahlung[i] =
                EwigeEntnahme(rec.Kapital_Einzahlungsende[i], r,
                              TEntnahmeSuche::EntnahmeAusEinzahlung, performance);

        // 4: required capital.
        double K = 0;
        if (N != AuszDauerOhneKapitalverzehr)
            K = erforderlichesKapital(N, RK, r, MR);
        else if (performance > 0.1)
            K = erforderlichesKapitalEwig(RK, r, MR);
        rec.Kapital_erforderlich[i] = K;
        CheckFpFlagsAfter(rec);
    }

    // 5: required return.
    rec.Erforderliche_Wertentwicklung = 12 * MR > RK ? 0 : ErforderlicheWertentwicklung(N, RK, MR);

    CheckFpFlagsAfter(rec, tabelle);
    detail::PruefeEntnahmeErgebnis(rec, tabelle);
    detail::UebernimmEntnahmeErgebnis(calc.Rec, rec);
    calc.Entnahmetabelle = std::move(tabelle);
}

} // namespace orvanta::referenz
