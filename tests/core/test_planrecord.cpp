#include "core/planrecord.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <cstring>

using orvanta::TPlanRecord;

TEST(PlanRecord, ShortStringKeepsBytesAfterTheText) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Nachname.assign("Mustermann");
    rec.Nachname.assign("Ott");
    EXPECT_EQ(rec.Nachname.view(), "Ott");
    // A writer leaves the rest of the field as it was.
    EXPECT_EQ(std::string(rec.Nachname.Chars + 3, 7), "termann");
}

TEST(PlanRecord, ShortStringCutsAtCapacity) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Passwort_2.assign(std::string(60, 'x'));
    EXPECT_EQ(rec.Passwort_2.Len, 40);
    // A length byte beyond the capacity never reads past the field.
    rec.Passwort_2.Len = 200;
    EXPECT_EQ(rec.Passwort_2.view().size(), 40u);
}

namespace {

struct Grenzfall {
    std::int32_t TPlanRecord::*feld;
    const char* name;
    std::int32_t wert;
};

// Durations and ages a damaged file may hold: a flipped bit, the 32-bit
// limits, one beyond what the window lets the user enter.
const Grenzfall ausserhalb[] = {
    {&TPlanRecord::Laufzeit, "Laufzeit", 100},
    {&TPlanRecord::Laufzeit, "Laufzeit", 8388638}, // 30 with bit 23 flipped
    {&TPlanRecord::Laufzeit, "Laufzeit", 30000000},
    {&TPlanRecord::Laufzeit, "Laufzeit", 2147483647},
    {&TPlanRecord::Laufzeit, "Laufzeit", -1},
    {&TPlanRecord::Einzahlungsdauer, "Einzahlungsdauer", 100},
    {&TPlanRecord::Einzahlungsdauer, "Einzahlungsdauer", -2147483647 - 1},
    {&TPlanRecord::Eintrittsalter, "Eintrittsalter", 151},
    {&TPlanRecord::AuszBeginn, "AuszBeginn", -1},
    {&TPlanRecord::AuszEnde, "AuszEnde", 2147483647},
    {&TPlanRecord::AuszDauer, "AuszDauer", 151},
    {&TPlanRecord::AuszDauer, "AuszDauer", 998},
    {&TPlanRecord::AuszDauer, "AuszDauer", 1000},
    {&TPlanRecord::AuszDauer, "AuszDauer", 2147483647},
};

TPlanRecord gueltig() {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Laufzeit = 99;
    rec.Einzahlungsdauer = 99;
    rec.Eintrittsalter = 150;
    rec.AuszBeginn = 150;
    rec.AuszEnde = 150;
    rec.AuszDauer = 150;
    return rec;
}

} // namespace

TEST(PlanRecord, BoundsNameTheFirstFieldOutsideThem) {
    TPlanRecord rec = gueltig();
    EXPECT_EQ(orvanta::PruefeGrenzen(rec).Feld, nullptr);
    rec.AuszDauer = orvanta::AuszDauerOhneKapitalverzehr;
    EXPECT_EQ(orvanta::PruefeGrenzen(rec).Feld, nullptr);
    EXPECT_NO_THROW(orvanta::PruefeBereich(rec));

    for (const Grenzfall& f : ausserhalb) {
        TPlanRecord kaputt = gueltig();
        kaputt.*f.feld = f.wert;
        const orvanta::TGrenzfehler g = orvanta::PruefeGrenzen(kaputt);
        ASSERT_NE(g.Feld, nullptr) << f.name << " " << f.wert;
        EXPECT_STREQ(g.Feld, f.name);
        EXPECT_EQ(g.Wert, f.wert);
        EXPECT_EQ(g.Min, 0);
        EXPECT_THROW(orvanta::PruefeBereich(kaputt), orvanta::ERangeError) << f.name;
    }
    // Laufzeit comes before AuszDauer.
    rec.Laufzeit = 100;
    rec.AuszDauer = -1;
    EXPECT_STREQ(orvanta::PruefeGrenzen(rec).Feld, "Laufzeit");
    EXPECT_EQ(orvanta::PruefeGrenzen(rec).Max, 99);
}
