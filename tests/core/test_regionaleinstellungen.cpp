// The delivered data files are written with a decimal comma. Whatever the
// regional settings of the system, the delivered plan must calculate to the
// same bits: mortality table, FRV values and all results.

#include "tests/support/calccompare.h"
#include "tests/support/testplans.h"

#include "core/formatsettings.h"
#include "core/frvdata.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace orvanta;

namespace {

struct Region {
    const char* locale; // used where the system has it installed
    TFormatSettings format;
};

const Region regionen[] = {
    {"de_DE.UTF-8", {',', '.'}},
    {"de_CH.UTF-8", {'.', '\''}},
    {"en_US.UTF-8", {'.', ','}},
    {"C", {'.', ','}},
};

struct Ergebnis {
    TPerformCalc calc;
    std::size_t tafelZeilen = 0;
    bool frvGefunden = false;
};

// The recalculation of the main window on the delivered data, under one region.
Ergebnis rechnen(const Region& region) {
    const char* env = std::getenv("ORVANTA_DATA_DIR");
    const std::string dir = std::string(env ? env : ".") + "/";
    const std::string alteLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, region.locale);
    SetFormatSettings(region.format);

    Ergebnis e;
    ReadPlanRecordFile(e.calc.Rec, DataFilePath(dir), OpenFor::Reading);
    const TSterbetafel tafel(dir);
    e.tafelZeilen = tafel.Zeilen().size();
    e.calc.Rec.AuszEndeArt = EndeLebenserwartung; // uses the mortality table
    Neuberechnen(e.calc, tafel);
    if (FRVLookupApplies(e.calc.Rec))
        e.frvGefunden = LadeFRVFuerPlan(e.calc.Rec, e.calc.Aufbautabelle, dir);

    SetFormatSettings(TFormatSettings{});
    std::setlocale(LC_ALL, alteLocale.c_str());
    return e;
}

} // namespace

TEST(RegionaleEinstellungen, DeliveredPlanGivesTheSameBitsEverywhere) {
    const Ergebnis deutsch = rechnen(regionen[0]);
    ASSERT_GT(deutsch.tafelZeilen, 50u);
    ASSERT_TRUE(deutsch.frvGefunden);
    EXPECT_NE(deutsch.calc.Aufbautabelle.back().FRV_Wert[2], 0);
    for (const Region& r : regionen) {
        const Ergebnis e = rechnen(r);
        EXPECT_EQ(e.tafelZeilen, deutsch.tafelZeilen) << r.locale;
        EXPECT_EQ(e.frvGefunden, deutsch.frvGefunden) << r.locale;
        EXPECT_EQ(e.calc.Rec.AuszDauer, deutsch.calc.Rec.AuszDauer) << r.locale;
        EXPECT_TRUE(orvanta::testing::gleicheRechnung(e.calc, deutsch.calc)) << r.locale;
    }
}
