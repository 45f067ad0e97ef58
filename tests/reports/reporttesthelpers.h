#pragma once
// Reading laid-out sheets in tests: which report placed what where, how its
// texts fit, and what the PDF and the tool make of them.

#include "reports/reportengine.h"
#include "reports/reportpreview.h"
#include "reports/textfit.h"
#include "tests/support/toolrun.h"

#include <QBuffer>
#include <QMap>
#include <QPaintDevice>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace orvanta::reports::test {

// A device with the metrics the PDF is written with, writing nowhere.
struct TPdfDevice {
    QBuffer Buffer;
    QPdfWriter Writer{&Buffer};
    TPdfDevice() { Writer.setResolution(PdfAufloesung); }
};

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

// The text of each page of a PDF, or an empty list when pdftotext is missing.
inline QStringList PdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// orvanta-tool beside the delivered data (ORVANTA_DATA_DIR, set by CTest).
inline QString ToolDataDir() {
    return qEnvironmentVariable("ORVANTA_DATA_DIR");
}

struct TToolRun {
    int Code = -1;
    QString Out;
    QString Err;
};

inline TToolRun RunTool(const QStringList& args, const QString& workingDir = {}) {
    const testing::Run r = testing::tool(args, {}, workingDir, 60000);
    return {r.exitCode, QString::fromUtf8(r.out), QString::fromUtf8(r.err)};
}

// What is wrong with the printed texts of a laid-out set, measured on device
// as the painter measures: a text smaller than the floor, an elided amount
// (any elided text unless allowed), a line outside its box or band, texts of
// two labels on top of each other, a value off its caption's baseline, a
// label that promised to fit at its own size and did not, a page count that
// does not end flush with the footer. Empty when all is well.
inline QStringList LabelFitProblems(const TLaidOutDocument& doc, const QPaintDevice& device,
                                    bool textsMayBeElided = false) {
    constexpr double Tolerance = 0.01; // mm
    QStringList problems;
    for (const TSheet& sheet : doc.Sheets) {
        for (const TPlacedBand& placed : sheet.Bands) {
            const std::vector<TFittedText> fits = FitBand(placed.Band, &device);
            auto say = [&](const TFittedText& fit, const QString& what) {
                problems << QStringLiteral("Seite %1, %2 \"%3\": %4")
                                .arg(sheet.PageNumber)
                                .arg(fit.Item->Name, fit.Item->Caption, what);
            };
            for (const TFittedText& fit : fits) {
                if (fit.Lines.isEmpty())
                    continue;
                const TReportItem& item = *fit.Item;
                if (fit.FontSize <
                    (item.Amount ? TextFit::AmountFloor : TextFit::MinFontSize) - 1e-9)
                    say(fit, QStringLiteral("%1 pt").arg(fit.FontSize));
                if (fit.Elided && (item.Amount || !textsMayBeElided))
                    say(fit, QStringLiteral("gekürzt zu \"%1\"").arg(fit.Lines.join(u'|')));
                if (!item.ShrinkToFit && !item.WordWrap && fit.Shrunk)
                    say(fit, QStringLiteral("passt nicht in der eigenen Größe"));
                const QRectF box = fit.Rect.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance);
                const QRectF ink = fit.inkBox();
                if (!box.contains(ink))
                    say(fit, QStringLiteral("Text %1..%2 x %3..%4 außerhalb von %5..%6 x %7..%8")
                                 .arg(ink.left())
                                 .arg(ink.right())
                                 .arg(ink.top())
                                 .arg(ink.bottom())
                                 .arg(fit.Rect.left())
                                 .arg(fit.Rect.right())
                                 .arg(fit.Rect.top())
                                 .arg(fit.Rect.bottom()));
                if (ink.left() < -Tolerance || ink.right() > PageGeometry::PrintWidth + Tolerance ||
                    ink.top() < -Tolerance || ink.bottom() > placed.Band.Height + Tolerance)
                    say(fit, QStringLiteral("außerhalb des Bandes"));
                // A value named after its caption ("QRL_Name_Wert", "QRL_Kapital_A_1")
                // stands on the caption's last line.
                static const QRegularExpression valueSuffix(QStringLiteral("_(\\d|Wert)$"));
                QString captionName = item.Name;
                captionName.remove(valueSuffix);
                for (const TFittedText& caption : fits)
                    if (captionName != item.Name && caption.Item->Name == captionName &&
                        !caption.Origins.empty() &&
                        std::abs(caption.Origins.back().y() - fit.Origins.front().y()) > Tolerance)
                        say(fit, QStringLiteral("nicht auf der Grundlinie von %1 (%2 mm)")
                                     .arg(captionName)
                                     .arg(fit.Origins.front().y() - caption.Origins.back().y()));
                if (item.Name == QStringLiteral("QRL_Von") &&
                    std::abs(ink.right() - PageGeometry::PrintWidth) > 0.05)
                    say(fit, QStringLiteral("endet bei %1 mm").arg(ink.right()));
            }
            for (size_t a = 0; a < fits.size(); ++a)
                for (size_t b = a + 1; b < fits.size(); ++b) {
                    if (fits[a].Lines.isEmpty() || fits[b].Lines.isEmpty())
                        continue;
                    const QRectF overlap = fits[a].inkBox().intersected(fits[b].inkBox());
                    if (overlap.width() > Tolerance && overlap.height() > Tolerance)
                        say(fits[a], QStringLiteral("überdeckt %1").arg(fits[b].Item->Name));
                }
        }
    }
    return problems;
}

// Amounts of one column printed at more than one size: the same label in
// the detail bands of a report on all its sheets, or the cells of a grid in
// one band. Empty when every column reads at one size.
inline QStringList ColumnSizeProblems(const TLaidOutDocument& doc, const QPaintDevice& device) {
    QMap<QString, QMap<double, int>> sizes; // report/label -> size -> sheet
    QStringList problems;
    for (const TSheet& sheet : doc.Sheets)
        for (const TPlacedBand& placed : sheet.Bands) {
            if (placed.Band.Type != TBandType::Detail)
                continue;
            QMap<int, double> grid;
            for (const TFittedText& fit : FitBand(placed.Band, &device)) {
                const TReportItem& item = *fit.Item;
                if (!item.Amount || fit.Lines.isEmpty())
                    continue;
                sizes[placed.Report->name() + u'/' + item.Name][fit.FontSize] = sheet.PageNumber;
                if (item.Grid > 0 && !item.OwnSize &&
                    grid.value(item.Grid, fit.FontSize) != fit.FontSize)
                    problems << QStringLiteral("Seite %1, %2: %3 pt neben %4 pt")
                                    .arg(sheet.PageNumber)
                                    .arg(item.Name)
                                    .arg(fit.FontSize)
                                    .arg(grid.value(item.Grid));
                grid.insert(item.Grid, fit.FontSize);
            }
        }
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        if (it->size() > 1) {
            QStringList seen;
            for (auto s = it->cbegin(); s != it->cend(); ++s)
                seen << QStringLiteral("%1 pt (Seite %2)").arg(s.key()).arg(s.value());
            problems << it.key() + QStringLiteral(": ") + seen.join(QStringLiteral(", "));
        }
    return problems;
}

} // namespace orvanta::reports::test
