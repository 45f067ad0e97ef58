// "nicht erreichbar" stands exactly where the withdrawal calculation left the
// required return at 0 because no return can carry the withdrawals, never
// where 0 % is a real answer.

#include "core/wertentwicklung.h"
#include "tests/support/testplans.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace orvanta;

namespace {

struct ReachCase {
    double rentenkapital;
    double monatsrente;
    bool erreichbar;
};

void PrintTo(const ReachCase& c, std::ostream* os) {
    *os << c.monatsrente << " a month from " << c.rentenkapital;
}

class Erreichbarkeit : public ::testing::TestWithParam<ReachCase> {};

TEST_P(Erreichbarkeit, AgreesWithTheCalculation) {
    const ReachCase c = GetParam();
    TPerformCalc calc = orvanta::testing::entnahme(c.rentenkapital, c.monatsrente, 30);
    calc.BerechneEntnahmephase();
    EXPECT_EQ(WertentwicklungErreichbar(calc.Rec), c.erreichbar);
    if (!c.erreichbar) {
        EXPECT_EQ(calc.Rec.Erforderliche_Wertentwicklung, 0.0) << "the record keeps 0";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Erreichbarkeit,
                         ::testing::Values(ReachCase{1222, 800, false},    // the reported plan
                                           ReachCase{1200, 100.01, false}, // a cent too much
                                           ReachCase{0, 1, false},         // no capital
                                           ReachCase{1200, 100, true},     // exactly one year
                                           ReachCase{0, 0, true},          // nothing withdrawn
                                           ReachCase{100000, 500, true})); // an ordinary plan

} // namespace
