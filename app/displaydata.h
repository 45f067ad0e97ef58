#pragma once
// What the display step shows, computed from the calculation object alone:
// the captions and values of the result preview, the chart series and titles,
// the life-expectancy caption and the scenario captions. The main window only
// copies these into its controls.

#include "core/frvdata.h"
#include "core/performcalc.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// Shortest decimal form of a number (at most 15 significant digits) with the
// regional decimal separator: 6 gives "6", 6.5 gives "6,5" in German settings.
std::string ShortestDecimal(double value);

// Captions that carry the scenario rates.
std::string ScenarioCaption(double rate);   // "6 %": column heads, chart and capital buttons
std::string BPPerformanceText(double rate); // "6%": entries of the commission scenario list

// Captions of the preview rows 2 to 4.
std::string WertentwicklungCaption(double monatsrente, double rentenkapital);
std::string EntnahmeCaption(double rentenkapital);
std::string KapitalCaption(double monatsrente);

// The 0 % column of rows 3 and 4, its head and rows 5 to 8 are shown only
// while the withdrawals end at some age.
bool PreviewWithdrawalRowsVisible(std::int32_t auszEndeArt);

// Values of the preview table; column k (0..3) shows scenario k+1.
struct TPreviewValues {
    double Anlagesumme = 0;
    double Wertentwicklung = 0;
    std::array<double, 4> Ausz{};    // possible monthly withdrawal
    std::array<double, 4> Kapital{}; // required capital
    double Monatsrente = 0;
    // Rows 6 to 8 from the first and last row of the withdrawal table; all 0
    // when the table has no rows (nothing is read that does not exist).
    std::array<double, 4> Anfangskapital{};
    std::array<double, 4> SummeEntnahmen{};
    std::array<double, 4> Restkapital{};
};
TPreviewValues PreviewValues(const TPerformCalc& calc);

// Rounds to the nearest whole number, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);

// "78 Jahre (Lebenserwartung)" from the age and the remaining years of life.
std::string LebenserwartungCaption(std::int32_t eintrittsalter, double restlebenserwartung);

struct TChartPoint {
    double X;
    double Y;
};

// Everything the chart needs for one refresh.
struct TChartData {
    std::string Title;
    std::string Series2Title; // "Summe der Einzahlungen", "Anlagebetrag" or "Summe der Entnahmen"
    std::array<std::vector<TChartPoint>, 3> Series; // VALMERA 47, FRV, sum
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;
    bool FRVVisible = false;
};
// Built from the accumulation table (Grafik_Phase 1) or the withdrawal table.
// Returns nothing when that table has no rows: the chart then keeps what it
// shows. A Grafik_Szenario outside 0..5 fails with "Fehler bei Bereichsprüfung".
std::optional<TChartData> ChartData(const TPerformCalc& calc, bool frvVerfuegbar);

} // namespace orvanta
