#pragma once
// Reading laid-out sheets in tests: which report placed what where.

#include "reports/reportengine.h"

#include <QStringList>

namespace orvanta::reports::test {

// Captions of one item in the detail bands of a report on a sheet; a
// switched-off item gives an empty entry, so positions stay countable.
inline QStringList DetailTexts(const TSheet& sheet, const TQuickReport* report,
                               const QString& item) {
    QStringList texts;
    for (const TPlacedBand& b : sheet.Bands) {
        if (b.Band.Type != TBandType::Detail || b.Report != report)
            continue;
        const TReportItem* found = b.Band.find(item);
        texts << ((found && found->Enabled) ? found->Caption : QString());
    }
    return texts;
}

inline std::vector<const TPlacedBand*> Details(const TSheet& sheet, const TQuickReport* report) {
    std::vector<const TPlacedBand*> rows;
    for (const TPlacedBand& b : sheet.Bands)
        if (b.Band.Type == TBandType::Detail && b.Report == report)
            rows.push_back(&b);
    return rows;
}

inline const TPlacedBand* Footer(const TSheet& sheet) {
    for (const TPlacedBand& b : sheet.Bands)
        if (b.Band.Type == TBandType::PageFooter)
            return &b;
    return nullptr;
}

inline QString Caption(const TPlacedBand& band, const QString& item) {
    const TReportItem* found = band.Band.find(item);
    return found ? found->Caption : QStringLiteral("<fehlt>");
}

// Sheets (1-based) on which a report placed any band other than a footer.
inline QList<int> SheetsOf(const TLaidOutDocument& doc, const TQuickReport* report) {
    QList<int> sheets;
    for (const TSheet& s : doc.Sheets)
        for (const TPlacedBand& b : s.Bands)
            if (b.Report == report && b.Band.Type != TBandType::PageFooter) {
                sheets << s.PageNumber;
                break;
            }
    return sheets;
}

} // namespace orvanta::reports::test
