#pragma once
// The year tables as CSV the way German spreadsheet programs read them: UTF-8
// with a byte order mark, semicolons between fields, lines ended by CR LF,
// numbers with a decimal comma and without thousands grouping (so that every
// cell is read as a number, whatever the spreadsheet's import guesses), and a
// header row in German. The figures are those of the printed tables, rounded
// the same way; the regional settings of the running program do not matter.

#include "core/kostenuebersicht.h"
#include "core/performcalc.h"
#include "core/planrecord.h"
#include "core/provisionsink.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

enum class CsvTabelle { Aufbau, Entnahme, Provision, Kosten };

// "aufbau", "entnahme", "provision", "kosten"; nothing for any other name.
std::optional<CsvTabelle> CsvTabelleAusName(std::string_view name);

using CsvZeile = std::vector<std::string>;

// One field: quoted (with doubled quotes inside) when it holds a semicolon,
// a quote or a line break.
std::string CsvFeld(std::string_view text);

// The whole file: byte order mark, then every row.
std::string CsvText(const std::vector<CsvZeile>& zeilen);

// A number as the file shows it: two decimals, decimal comma.
std::string CsvBetrag(double wert);

// Accumulation phase, years 1..Laufzeit (the plan's start, row 0, is not a
// year of its own): year, age, monthly amount and the net depot value of the
// four shown scenarios.
std::vector<CsvZeile> CsvAufbau(const TPlanRecord& rec, const TPerformanceDataArray& tabelle);

// Withdrawal phase from its starting row (year 0) on: year, age, monthly
// withdrawal, the capital and the sum withdrawn so far per shown scenario.
std::vector<CsvZeile> CsvEntnahme(const TPlanRecord& rec, const TPerformanceDataArray& tabelle);

// Commission per year as the commission view lists it; the FRV columns only
// with mitFRV (they are empty for a year without FRV figures).
std::vector<CsvZeile> CsvProvision(const TProvisionsProtokoll& protokoll, bool mitFRV);

// The cost overview as the page prints it: one row per figure, one column
// per shown scenario; an absent Renditeminderung stays empty. Only the
// header row for a plan without accumulation.
std::vector<CsvZeile> CsvKosten(const TPlanRecord& rec,
                                const std::optional<TKostenuebersicht>& kosten);

// The file for one table of a calculated plan.
std::string CsvDatei(CsvTabelle tabelle, const TPerformCalc& calc,
                     const TProvisionsProtokoll& protokoll, bool mitFRV);

} // namespace orvanta
