#include "core/planrecordfields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

using namespace orvanta;

namespace {
const TPlanRecordField& Field(const char* name) {
    const TPlanRecordField* f = FindPlanRecordField(name);
    if (!f)
        throw std::runtime_error(std::string("no field ") + name);
    return *f;
}
} // namespace

TEST(PlanRecordFields, RepresentativeFieldsSitAtTheirOffsets) {
    struct Expect {
        const char* name;
        std::size_t offset;
        TFieldKind kind;
        std::size_t capacity;
        int count;
        int first;
    };
    const Expect expected[] = {
        {"Berichtstitel", 4, TFieldKind::SString, 255, 1, 0},
        {"Eintrittsalter", 772, TFieldKind::Int32, 0, 1, 0},
        {"Sparbetrag", 808, TFieldKind::Double, 0, 1, 0},
        {"FRV_Parameter", 880, TFieldKind::Int32, 0, 1, 0},
        {"Performance", 888, TFieldKind::Double, 0, 6, 0},
        {"MitDepotgebuehr", 1018, TFieldKind::Bool8, 0, 1, 0},
        {"Version", 1568, TFieldKind::SString, 21, 1, 0},
        {"Passwort_1", 1824, TFieldKind::SString, 255, 1, 0},
        {"AP_Satz_FRV_Tabelle", 2088, TFieldKind::Double, 0, 3, 1},
        {"BP_Satz_Tabelle", 2112, TFieldKind::Double, 0, 3, 1},
        {"Strategie_Link", 2152, TFieldKind::SString, 255, 4, 1},
        {"Verkaufsdoku_Link", 3176, TFieldKind::SString, 255, 1, 0},
        {"Strasse", 3689, TFieldKind::SString, 255, 1, 0},
        {"Passwort_2", 4220, TFieldKind::SString, 40, 1, 0},
        {"Passwort_3", 4261, TFieldKind::SString, 40, 1, 0},
        {"Zugriffsstufe", 4696, TFieldKind::Int32, 0, 1, 0},
        {"Einzahlungsdauer", 4816, TFieldKind::Int32, 0, 1, 0},
    };
    for (const auto& e : expected) {
        const TPlanRecordField& f = Field(e.name);
        EXPECT_EQ(f.Offset, e.offset) << e.name;
        EXPECT_EQ(f.Kind, e.kind) << e.name;
        EXPECT_EQ(f.Capacity, e.capacity) << e.name;
        EXPECT_EQ(f.Count, e.count) << e.name;
        EXPECT_EQ(f.FirstIndex, e.first) << e.name;
    }
    EXPECT_EQ(FindPlanRecordField("Kennwort"), nullptr);
}

TEST(PlanRecordFields, FieldsCoverTheRecordExceptTheUnusedRanges) {
    // Byte owners: 0 = not covered, 1 = covered once.
    std::vector<int> cover(PlanRecordSize, 0);
    std::set<std::string> names;
    std::size_t last = 0;
    for (const auto& f : PlanRecordFields()) {
        EXPECT_TRUE(names.insert(f.Name).second) << "duplicate " << f.Name;
        EXPECT_GE(f.Offset, last) << f.Name << " out of record order";
        last = f.Offset;
        const std::size_t end = f.Offset + f.elementSize() * static_cast<std::size_t>(f.Count);
        ASSERT_LE(end, PlanRecordSize) << f.Name;
        for (std::size_t b = f.Offset; b < end; ++b)
            ++cover[b];
    }
    // The struct's unused members are exactly the bytes no field owns.
    std::vector<int> unused(PlanRecordSize, 0);
    const auto mark = [&](std::size_t off, std::size_t len) {
        for (std::size_t b = off; b < off + len; ++b)
            unused[b] = 1;
    };
#define UNUSED(m) mark(offsetof(TPlanRecord, m), sizeof(TPlanRecord::m))
    UNUSED(unused_0), UNUSED(unused_872), UNUSED(unused_884), UNUSED(unused_1019);
    UNUSED(unused_1032), UNUSED(unused_1590), UNUSED(unused_2084), UNUSED(unused_2137);
    UNUSED(unused_4201), UNUSED(unused_4305), UNUSED(unused_4349), UNUSED(unused_4361);
    UNUSED(unused_4428), UNUSED(unused_4536), UNUSED(unused_4644), UNUSED(unused_4700);
    UNUSED(unused_4804), UNUSED(unused_4820);
#undef UNUSED
    for (std::size_t b = 0; b < PlanRecordSize; ++b)
        ASSERT_EQ(cover[b] + unused[b], 1) << "byte " << b;
}

TEST(PlanRecordFields, AccessorsUseTheFieldsFirstIndex) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    SetDouble(rec, Field("Performance"), 5, 6.5);
    EXPECT_EQ(rec.Performance[5], 6.5);
    SetDouble(rec, Field("AP_Satz_FRV_Tabelle"), 1, 1.0);
    SetDouble(rec, Field("AP_Satz_FRV_Tabelle"), 3, 2.0);
    EXPECT_EQ(rec.AP_Satz_FRV_Tabelle[0], 1.0);
    EXPECT_EQ(rec.AP_Satz_FRV_Tabelle[2], 2.0);
    SetText(rec, Field("Strategie_Link"), 4, "https://example.org/z");
    EXPECT_EQ(rec.Strategie_Link[3].view(), "https://example.org/z");
    EXPECT_EQ(GetText(rec, Field("Strategie_Link"), 4), "https://example.org/z");

    SetInt32(rec, Field("Einzahlungsdauer"), 0, -7);
    EXPECT_EQ(rec.Einzahlungsdauer, -7);
    EXPECT_EQ(GetInt32(rec, Field("Einzahlungsdauer")), -7);

    // Any non-zero byte reads as true.
    rec.MitDepotgebuehr = 7;
    EXPECT_TRUE(GetBool8(rec, Field("MitDepotgebuehr")));
    SetBool8(rec, Field("MitDepotgebuehr"), 0, true);
    EXPECT_EQ(rec.MitDepotgebuehr, 1);

    // Texts are cut at the capacity and leave the rest of the field alone.
    SetText(rec, Field("Passwort_3"), 0, std::string(50, 'p'));
    EXPECT_EQ(rec.Passwort_3.Len, 40);
    SetText(rec, Field("Passwort_3"), 0, "kurz");
    EXPECT_EQ(GetText(rec, Field("Passwort_3")), "kurz");
    EXPECT_EQ(rec.Passwort_3.Chars[4], 'p');
    rec.Passwort_3.Len = 99; // a damaged length byte never reads past the field
    EXPECT_EQ(GetText(rec, Field("Passwort_3")).size(), 40u);
}
