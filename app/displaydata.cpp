#include "app/displaydata.h"

#include "app/panelrules.h"
#include "core/errors.h"
#include "core/numberpattern.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

std::string ShortestDecimal(double value) {
    return FormatFloatGeneral(value);
}

std::string ScenarioCaption(double rate) {
    return ShortestDecimal(rate) + " %";
}
std::string BPPerformanceText(double rate) {
    return ShortestDecimal(rate) + "%";
}

std::string WertentwicklungCaption(double monatsrente, double rentenkapital) {
    return "Erforderliche Wertentwicklung (" + FormatFloat("#,##0.00 €", monatsrente) +
           " monatliche Entnahme / " + FormatFloat("#,##0. €", rentenkapital) + " Kapital)";
}

std::string EntnahmeCaption(double rentenkapital) {
    return "Mögliche monatliche Entnahme (" + FormatFloat("#,##0. €", rentenkapital) + " Kapital)";
}

std::string KapitalCaption(double monatsrente) {
    return "Erforderliches Kapital (" + FormatFloat("#,##0. €", monatsrente) +
           " monatliche Entnahme)";
}

bool PreviewWithdrawalRowsVisible(std::int32_t auszEndeArt) {
    return auszEndeArt != EndeOhneKapitalverzehr;
}

TPreviewValues PreviewValues(const TPerformCalc& calc) {
    const TPlanRecord& r = calc.Rec;
    TPreviewValues v;
    v.Anlagesumme = r.Anlagesumme;
    v.Wertentwicklung = r.Erforderliche_Wertentwicklung;
    v.Monatsrente = r.Monatsrente;
    for (int k = 0; k < 4; ++k) {
        v.Ausz[k] = r.Entnahme_moeglich[k + 1];
        v.Kapital[k] = r.Kapital_erforderlich[k + 1];
    }
    const TPerformanceDataArray& t = calc.Entnahmetabelle;
    if (!t.empty()) {
        for (int k = 0; k < 4; ++k) {
            v.Anfangskapital[k] = t.front().NIW[k + 1];
            v.SummeEntnahmen[k] = t.back().Summe[k + 1];
            v.Restkapital[k] = t.back().NIW[k + 1];
        }
    }
    return v;
}

std::int64_t RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    double result;
    if (diff < 0.5)
        result = lower;
    else if (diff > 0.5)
        result = lower + 1;
    else
        result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    if (!(result >= -9.2e18 && result <= 9.2e18))
        throw ERangeError();
    return static_cast<std::int64_t>(result);
}

std::string LebenserwartungCaption(std::int32_t eintrittsalter, double restlebenserwartung) {
    const std::int64_t alter = eintrittsalter + RoundHalfEven(restlebenserwartung);
    return std::to_string(alter) + " Jahre (Lebenserwartung)";
}

std::optional<TChartData> ChartData(const TPerformCalc& calc, bool frvVerfuegbar) {
    const TPlanRecord& r = calc.Rec;
    const bool aufbau = r.Grafik_Phase == 1;
    const TPerformanceDataArray& table = aufbau ? calc.Aufbautabelle : calc.Entnahmetabelle;
    if (table.empty())
        return std::nullopt;
    const std::int32_t s = r.Grafik_Szenario;
    if (s < 0 || s > 5)
        throw ERangeError();

    TChartData d;
    d.XMax = static_cast<double>(table.size() - 1);
    const std::string p = ShortestDecimal(r.Performance[s]);
    if (aufbau) {
        d.Series2Title = r.Anlageart == KindEinmalanlage || r.Anlageart == KindSystemEinmalanlage
                             ? "Anlagebetrag"
                             : "Summe der Einzahlungen";
        d.Title = "Vermögensaufbau in der Einzahlungsphase (Wertentwicklung " + p + "%)";
    } else {
        d.Title = "Vermögensentwicklung in der Entnahmephase (Wertentwicklung " + p + "%)";
        d.Series2Title = "Summe der Entnahmen";
    }
    for (auto& series : d.Series)
        series.reserve(table.size());
    double m = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TPerformanceData& row = table[i];
        const double x = static_cast<double>(i);
        d.Series[0].push_back({x, row.NIW[s]});
        d.Series[1].push_back({x, row.FRV_Wert[s]});
        d.Series[2].push_back({x, row.Summe[s]});
        // The FRV series counts for the axis also while it is hidden.
        m = std::max({m, row.NIW[s], row.FRV_Wert[s], row.Summe[s]});
    }
    d.FRVVisible = frvVerfuegbar && r.FRV_Vergleich_Einzahlung != 0;
    d.YMin = 0;
    d.YMax = m + m * 0.01;
    return d;
}

} // namespace orvanta
