// The results of the named test plans against results recorded on Linux, bit
// for bit, on every system the core is built for (Windows under Wine
// included): record, both tables, commission figures and error texts go
// into one fingerprint per plan.
//
// Recorded anew (after a deliberate change of the calculation) with
//   ORVANTA_RECORD_RESULTS=1 build/tests/core/core_test_festeergebnisse
// which rewrites tests/core/festeergebnisse.txt.

#include "core/errors.h"
#include "core/frvdata.h"
#include "core/performcalc.h"
#include "core/planfile.h"
#include "core/provisionsink.h"
#include "core/sterbetafel.h"

#include "tests/support/testplans.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace orvanta;

namespace {

std::string umgebung(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// FNV-1a over the bits of every value, in a fixed order.
class TFingerabdruck {
public:
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t k = 0; k < n; ++k) {
            FWert ^= b[k];
            FWert *= 1099511628211ull;
        }
    }
    template <class T> void wert(const T& v) { bytes(&v, sizeof v); }
    void text(const std::string& s) { bytes(s.data(), s.size()); }
    std::string hex() const {
        char buf[17];
        std::snprintf(buf, sizeof buf, "%016" PRIx64, FWert);
        return buf;
    }

private:
    std::uint64_t FWert = 14695981039346656037ull;
};

void tabelle(TFingerabdruck& f, const TPerformanceDataArray& t) {
    f.wert(t.size());
    for (const TPerformanceData& z : t) {
        f.wert(z.Betrag);
        f.wert(z.Alter);
        f.wert(z.Jahr);
        f.wert(z.Summe);
        f.wert(z.FRV_Wert);
        f.wert(z.NIW);
    }
}

// The recalculation of the program on the delivered mortality table and FRV
// files, and what it leaves behind.
std::string rechne(TPerformCalc calc) {
    const std::string daten = umgebung("ORVANTA_DATA_DIR") + "/";
    TProvisionsProtokoll protokoll;
    calc.Provision = &protokoll;
    TFingerabdruck f;
    try {
        Neuberechnen(calc, TSterbetafel(daten));
        if (FRVLookupApplies(calc.Rec))
            f.wert(LadeFRVFuerPlan(calc.Rec, calc.Aufbautabelle, daten));
    } catch (const EOrvantaError& e) {
        f.text(e.what());
    }
    f.bytes(&calc.Rec, sizeof calc.Rec);
    tabelle(f, calc.Aufbautabelle);
    tabelle(f, calc.Entnahmetabelle);
    f.wert(protokoll.AP);
    f.wert(protokoll.AP_FRV);
    for (const auto& j : protokoll.BP)
        f.wert(j);
    for (const auto& j : protokoll.FRV)
        f.wert(j);
    return f.hex();
}

TPerformCalc ausRecord(const TPlanRecord& rec) {
    TPerformCalc calc;
    calc.Rec = rec;
    return calc;
}

// The named plans of the test support, the delivered data file, and
// variations that reach the other kinds, ends and searches.
std::vector<std::pair<std::string, std::function<TPerformCalc()>>> plaene() {
    using namespace orvanta::testing;
    std::vector<std::pair<std::string, std::function<TPerformCalc()>>> p = {
        {"LeererPlan", [] { return ausRecord(LeererPlan()); }},
        {"BeispielPlan", [] { return ausRecord(BeispielPlan()); }},
        {"MitPasswoertern", [] { return ausRecord(MitPasswoertern(BeispielPlan())); }},
        {"Provisionsplan20", [] { return ausRecord(Provisionsplan(20)); }},
        {"Sparplan0", [] { return sparplan(0, 30); }},
        {"Sparplan6", [] { return sparplan(6, 40); }},
        {"Sparplan9", [] { return sparplan(9, 1); }},
        {"Entnahme", [] { return entnahme(250000, 1500, 25); }},
        {"EntnahmeLang", [] { return entnahme(80000, 2500, 40, 60); }},
        {"Lieferdatei",
         [] {
             TPerformCalc c;
             ReadPlanRecordFile(c.Rec, DataFilePath(umgebung("ORVANTA_DATA_DIR")),
                                OpenFor::Reading);
             return c;
         }},
    };
    const auto variante = [&](const std::string& name, std::function<void(TPlanRecord&)> aendern) {
        p.emplace_back(name, [aendern] {
            TPerformCalc c = ausRecord(BeispielPlan());
            aendern(c.Rec);
            return c;
        });
    };
    variante("Einmalanlage", [](TPlanRecord& r) {
        r.Anlageart = KindEinmalanlage;
        r.Anlagebetrag = 50000;
    });
    variante("Systemeinmalanlage", [](TPlanRecord& r) {
        r.Anlageart = KindSystemEinmalanlage;
        r.Anlagebetrag = 75000;
        r.Uebertragungsmonate = 24;
        r.Zins_SystemEinmalanlage = 2.5;
    });
    variante("Lebenserwartung", [](TPlanRecord& r) { r.AuszEndeArt = EndeLebenserwartung; });
    variante("OhneKapitalverzehr", [](TPlanRecord& r) { r.AuszEndeArt = EndeOhneKapitalverzehr; });
    variante("AusEinzahlung", [](TPlanRecord& r) {
        r.Kapital_aus_Einzahlung = 1;
        r.Kapital_Szenario = 4;
        r.Dynamik = 5;
    });
    variante("Ratierlich", [](TPlanRecord& r) {
        r.AgioZahlungsart = 2;
        r.Agio_Ratenzuschlag = 4;
    });
    variante("Ueberlauf", [](TPlanRecord& r) { r.Sparbetrag = 1e307; });
    return p;
}

std::string datei() {
    return umgebung("ORVANTA_SOURCE_DIR") + "/tests/core/festeergebnisse.txt";
}

std::map<std::string, std::string> aufgezeichnet() {
    std::map<std::string, std::string> m;
    std::ifstream in(datei());
    std::string name, wert;
    while (in >> name >> wert)
        m[name] = wert;
    return m;
}

} // namespace

TEST(FesteErgebnisse, GleichenDenAufLinuxAufgezeichneten) {
    if (umgebung("ORVANTA_SOURCE_DIR").empty() || umgebung("ORVANTA_DATA_DIR").empty())
        GTEST_SKIP() << "ORVANTA_SOURCE_DIR / ORVANTA_DATA_DIR not set";
    if (!umgebung("ORVANTA_RECORD_RESULTS").empty()) {
        std::ofstream out(datei());
        for (const auto& [name, plan] : plaene())
            out << name << ' ' << rechne(plan()) << '\n';
        GTEST_SKIP() << "recorded anew: " << datei();
    }
    const auto erwartet = aufgezeichnet();
    ASSERT_FALSE(erwartet.empty()) << datei();
    for (const auto& [name, plan] : plaene()) {
        ASSERT_TRUE(erwartet.count(name)) << name << " not recorded";
        EXPECT_EQ(rechne(plan()), erwartet.at(name)) << name;
    }
}
