// The required return and the slow searches of long withdrawal phases: the
// fast code against the documented scan of the plain transcription, bit for
// bit and error for error.

#include "tests/support/calccompare.h"
#include "tests/support/testplans.h"

#include "core/fpcheck.h"
#include "core/referencecalc.h"
#include "core/renditesuche.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace orvanta;

namespace {

struct Ausgang {
    double p = -1;
    std::string fehler;
};

// The documented scan leaves its flags to the calculation's final test.
template <class Scan> Ausgang scan(Scan s, std::int32_t N, double RK, double MR) {
    Ausgang a;
    try {
        ClearFpFlags();
        const double p = s(N, RK, MR);
        CheckFpFlags();
        a.p = p;
    } catch (const std::exception& e) {
        a.fehler = e.what();
    }
    return a;
}

struct ScanFall {
    std::int32_t N;
    double RK, MR;
};

class RenditeScan : public ::testing::TestWithParam<ScanFall> {};

} // namespace

TEST_P(RenditeScan, StopsAtTheDocumentedTryWithItsBitsOrItsError) {
    const auto [N, RK, MR] = GetParam();
    const Ausgang schnell = scan(ErforderlicheWertentwicklungSchnell, N, RK, MR);
    const Ausgang plain = scan(referenz::ErforderlicheWertentwicklung, N, RK, MR);
    EXPECT_EQ(schnell.fehler, plain.fehler);
    EXPECT_EQ(std::memcmp(&schnell.p, &plain.p, sizeof schnell.p), 0)
        << schnell.p << " statt " << plain.p;
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, RenditeScan,
    ::testing::Values(
        // Rentenkapital 12 x Monatsrente up to age 150: near 185 %, 37 000 tries.
        ScanFall{150, 12000, 1000}, ScanFall{140, 12000, 1000}, ScanFall{125, 12000, 1000},
        ScanFall{150, 60000, 5000}, ScanFall{AuszDauerOhneKapitalverzehr, 12000, 1000},
        ScanFall{30, 100000, 500}, ScanFall{1, 12000, 1000}, ScanFall{0, 5, 0},
        ScanFall{AuszDauerOhneKapitalverzehr, 1.7e308, 1e307}, // overflows at the first try
        ScanFall{150, 1e305, 1e303},                           // overflows on the way
        ScanFall{1, -1e6, -1}));                               // never reached: gives up

namespace {

struct PlanFall {
    double RK, MR;
    int dauer;
    double raten[6];
};

class Bis150 : public ::testing::TestWithParam<PlanFall> {};

std::string rechnen(TPerformCalc& c, bool plain) {
    try {
        if (plain) {
            referenz::BerechneAufbauphase(c);
            referenz::BerechneEntnahmephase(c);
        } else {
            c.BerechneAufbauphase();
            c.BerechneEntnahmephase();
        }
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace

// Searches of 150 years at negative rates run up to their budget of
// 2 000 000 / N documented steps; within it the bits are the documented ones.
TEST_P(Bis150, WholeCalculationWithinTheStepBudgetHasThePlainBits) {
    const PlanFall& f = GetParam();
    TPerformCalc schnell = orvanta::testing::entnahmeBis150(f.RK, f.MR, f.dauer, f.raten);
    TPerformCalc plain = schnell;
    EXPECT_EQ(rechnen(schnell, false), rechnen(plain, true));
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(schnell, plain));
    EXPECT_GT(schnell.Rec.Erforderliche_Wertentwicklung, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Plaene, Bis150,
    ::testing::Values(PlanFall{60000, 5000, 150, {-10, 0, 3, 6, 9, 12}},
                      PlanFall{12000, 1000, 150, {0, 0, 3, 6, 9, 12}},
                      PlanFall{12000, 1000, 140, {0, 0, 3, 6, 9, 12}},
                      PlanFall{12000, 1000, 125, {0, 0, 3, 6, 9, 12}},
                      PlanFall{175327, 2823.03, 143, {9, -9.58753, -10, 1, -2.52118, 3}}));
