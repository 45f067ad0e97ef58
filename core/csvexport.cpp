#include "core/csvexport.h"

#include "core/numberpattern.h"

#include <cmath>
#include <utility>

namespace orvanta {

namespace {

// German spreadsheets read a decimal comma; the full stop is left out on
// purpose (a grouped "1.234,56" is taken for a date or text by some imports).
constexpr TFormatSettings CsvFormat{',', '.'};

// Columns 1..4 are the scenarios that windows and reports show.
constexpr int ErsteSpalte = 1;
constexpr int LetzteSpalte = 4;

std::string Rate(double performance) {
    return FormatFloat("##0.0", performance, CsvFormat) + " %";
}

std::string Jahr(double jahr) {
    return FormatFloat("0", std::trunc(jahr), CsvFormat);
}

void SzenarioKoepfe(CsvZeile& kopf, const TPlanRecord& rec, std::string_view text) {
    for (int k = ErsteSpalte; k <= LetzteSpalte; ++k)
        kopf.push_back(std::string(text) + " " + Rate(rec.Performance[k]) + " (EUR)");
}

void SzenarioWerte(CsvZeile& zeile, const double (&werte)[6]) {
    for (int k = ErsteSpalte; k <= LetzteSpalte; ++k)
        zeile.push_back(CsvBetrag(werte[k]));
}

} // namespace

std::optional<CsvTabelle> CsvTabelleAusName(std::string_view name) {
    if (name == "aufbau")
        return CsvTabelle::Aufbau;
    if (name == "entnahme")
        return CsvTabelle::Entnahme;
    if (name == "provision")
        return CsvTabelle::Provision;
    if (name == "kosten")
        return CsvTabelle::Kosten;
    return std::nullopt;
}

std::string CsvFeld(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvText(const std::vector<CsvZeile>& zeilen) {
    std::string out = "\xEF\xBB\xBF";
    for (const CsvZeile& zeile : zeilen) {
        for (std::size_t k = 0; k < zeile.size(); ++k) {
            if (k > 0)
                out += ';';
            out += CsvFeld(zeile[k]);
        }
        out += "\r\n";
    }
    return out;
}

std::string CsvBetrag(double wert) {
    return FormatFloat("0.00", wert, CsvFormat);
}

std::vector<CsvZeile> CsvAufbau(const TPlanRecord& rec, const TPerformanceDataArray& tabelle) {
    CsvZeile kopf{"Jahr", "Alter", "Monatsbetrag (EUR)"};
    SzenarioKoepfe(kopf, rec, "Netto-Depotwert");
    std::vector<CsvZeile> zeilen{kopf};
    for (std::size_t i = 1; i < tabelle.size(); ++i) {
        const TPerformanceData& z = tabelle[i];
        CsvZeile zeile{Jahr(z.Jahr), std::to_string(z.Alter), CsvBetrag(z.Betrag)};
        SzenarioWerte(zeile, z.NIW);
        zeilen.push_back(std::move(zeile));
    }
    return zeilen;
}

std::vector<CsvZeile> CsvEntnahme(const TPlanRecord& rec, const TPerformanceDataArray& tabelle) {
    CsvZeile kopf{"Jahr", "Alter", "Monatliche Entnahme (EUR)"};
    SzenarioKoepfe(kopf, rec, "Netto-Depotwert");
    SzenarioKoepfe(kopf, rec, "Summe der Entnahmen");
    std::vector<CsvZeile> zeilen{kopf};
    for (const TPerformanceData& z : tabelle) {
        CsvZeile zeile{Jahr(z.Jahr), std::to_string(z.Alter), CsvBetrag(z.Betrag)};
        SzenarioWerte(zeile, z.NIW);
        SzenarioWerte(zeile, z.Summe);
        zeilen.push_back(std::move(zeile));
    }
    return zeilen;
}

std::vector<CsvZeile> CsvProvision(const TProvisionsProtokoll& protokoll, bool mitFRV) {
    CsvZeile kopf{"Jahr", "VM47 (EUR)", "VM47 kumuliert (EUR)"};
    if (mitFRV) {
        kopf.push_back("FRV (EUR)");
        kopf.push_back("FRV kumuliert (EUR)");
    }
    std::vector<CsvZeile> zeilen{kopf};
    for (std::size_t k = 0; k < protokoll.BP.size(); ++k) {
        CsvZeile zeile{std::to_string(k + 1), CsvBetrag(protokoll.BP[k].BP),
                       CsvBetrag(protokoll.BP[k].BP_Summe)};
        if (mitFRV && k < protokoll.FRV.size()) {
            zeile.push_back(CsvBetrag(protokoll.FRV[k].FRV));
            zeile.push_back(CsvBetrag(protokoll.FRV[k].FRV_Summe));
        } else if (mitFRV) {
            zeile.insert(zeile.end(), 2, std::string());
        }
        zeilen.push_back(std::move(zeile));
    }
    return zeilen;
}

std::vector<CsvZeile> CsvKosten(const TPlanRecord& rec,
                                const std::optional<TKostenuebersicht>& kosten) {
    CsvZeile kopf{"Kennzahl"};
    for (int k = ErsteSpalte; k <= LetzteSpalte; ++k)
        kopf.push_back("Wertentwicklung " + Rate(rec.Performance[k]));
    std::vector<CsvZeile> zeilen{kopf};
    if (!kosten)
        return zeilen;
    using S = TKostenSzenario;
    const std::pair<const char*, double S::*> euro[] = {
        {"Einzahlungen (EUR)", &S::Einzahlungen},
        {"Einrichtungsgebühr (EUR)", &S::Einrichtungsgebuehr},
        {"Managementgebühr (EUR)", &S::Managementgebuehr},
        {"Depotgebühr (EUR)", &S::Depotgebuehr},
        {"Kosten gesamt (EUR)", &S::KostenGesamt},
        {"Depotwert ohne Kosten (EUR)", &S::DepotwertOhneKosten},
        {"Depotwert mit Kosten (EUR)", &S::DepotwertMitKosten},
    };
    for (const auto& [text, feld] : euro) {
        CsvZeile zeile{text};
        for (const S& s : *kosten)
            zeile.push_back(CsvBetrag(s.*feld));
        zeilen.push_back(std::move(zeile));
    }
    CsvZeile minderung{"Renditeminderung (%-Punkte p.a.)"};
    for (const S& s : *kosten)
        minderung.push_back(s.Renditeminderung ? CsvBetrag(*s.Renditeminderung) : std::string());
    zeilen.push_back(std::move(minderung));
    return zeilen;
}

std::string CsvDatei(CsvTabelle tabelle, const TPerformCalc& calc,
                     const TProvisionsProtokoll& protokoll, bool mitFRV) {
    switch (tabelle) {
    case CsvTabelle::Aufbau:
        return CsvText(CsvAufbau(calc.Rec, calc.Aufbautabelle));
    case CsvTabelle::Entnahme:
        return CsvText(CsvEntnahme(calc.Rec, calc.Entnahmetabelle));
    case CsvTabelle::Kosten:
        return CsvText(CsvKosten(calc.Rec, Kostenuebersicht(calc)));
    case CsvTabelle::Provision:
        break;
    }
    return CsvText(CsvProvision(protokoll, mitFRV));
}

} // namespace orvanta
