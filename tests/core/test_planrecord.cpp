#include "core/planrecord.h"

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
