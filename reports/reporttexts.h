#pragma once
// Texts that several report pages share, and the number patterns they print
// with. Pure functions: tested without painting.

#include "core/planrecord.h"

#include <QString>

#include <string_view>
#include <utility>

namespace orvanta::reports {

// Results are at most 255 characters, as the record's text fields.
QString StrategieName(int anlagestrategie);
QString StrategieText(int anlagestrategie);
QString AnlageartText(int anlageart);
QString DynamikText(double dynamik);
QString EntnahmedauerText(int auszDauer);

// The shortest decimal form with up to 15 significant digits, no grouping,
// decimal sign of the regional settings ("2,5").
QString FloatToStrGeneral(double value);

// A number in one of the report patterns ("#,##0.00 EUR", "##0.0", ...).
QString Fmt(std::string_view pattern, double value);

// A text of the plan record (Windows-1252) for printing.
template <std::size_t N> QString RecordText(const ShortString<N>& s);
QString RecordTextBytes(std::string_view cp1252);
template <std::size_t N> QString RecordText(const ShortString<N>& s) {
    return RecordTextBytes(s.view());
}

// The two Dynamik lines under the heading of the model calculation and of
// the withdrawal course. The withdrawal course speaks of the withdrawal phase.
std::pair<QString, QString> DynamikZeilen(double dynamik, bool entnahmephase);

// Fixed texts of the page elements.
namespace PageTexts {
inline constexpr char16_t ProductLine[] = u"VALMERA 47 - Das Finanzkonzept aus der Schweiz";
inline constexpr char16_t ClosingLine[] = u"VALMERA 47 - Mit Sicherheit Vermögen";
inline constexpr char16_t SloganWachsen[] = u"DAMIT SIE WISSEN, WIE IHR VERMÖGEN WACHSEN KANN";
inline constexpr char16_t SloganLeben[] =
    u"DAMIT SIE WISSEN, WIE SIE VON IHREM VERMÖGEN LEBEN KÖNNEN";
inline constexpr char16_t NotesReference[] =
    u"Bitte beachten Sie unbedingt unsere Hinweise auf Seite 2";
inline constexpr char16_t BankAddress[] =
    u"Kelvora Privatbank AG  ·  Seestrasse 41  ·  CH-8002 Zürich";
inline constexpr char16_t BankContact[] =
    u"Telefon +41 44 500 47 00  ·  Telefax +41 44 500 47 01  ·  www.kelvora-privatbank.ch";
inline constexpr char16_t BankGroup[] = u"Ein Unternehmen der Kelvora Finanzgruppe";
} // namespace PageTexts

} // namespace orvanta::reports
