#include "reports/reportpreview.h"

#include "reports/reportpainter.h"
#include "reports/reportset.h"

#include "core/version.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QToolBar>
#include <QTranslator>

namespace orvanta::reports {

namespace {

QPageLayout a4FullPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace

void InstallGermanQtTranslations() {
    static bool done = false;
    if (done || !QCoreApplication::instance())
        return;
    done = true;
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_de"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QString::fromLatin1(name), dir))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

bool WriteReportPdf(const TLaidOutDocument& doc, const QString& path, QString* error,
                    const QString& pictureDir) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Die PDF-Datei \"%1\" konnte nicht geschrieben werden: %2")
                         .arg(path, why);
        return false;
    };
    if (doc.Sheets.empty())
        return fail(QStringLiteral("Der Ausdruck enthält keine Seiten."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(a4FullPage());
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Orvanta"));
        writer.setTitle(QStringLiteral("VALMERA 47"));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("Die Ausgabe konnte nicht begonnen werden."));
        TReportPainter sheets(pictureDir);
        PaintSheets(painter, writer, doc, sheets);
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool ShowReportPreview(TReportSet& set, QWidget* parent) {
    const TLaidOutDocument doc = set.Layout();
    if (doc.Sheets.empty())
        return false;
    InstallGermanQtTranslations();

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4FullPage());
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("VALMERA 47"));
    printer.setFromTo(0, 0);

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Ausdruck – Vorschau"));
    dialog.resize(900, 1000);
    TReportPainter sheets;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        // A4 portrait full page, whatever the page setup said.
        target->setFullPage(true);
        QPainter painter(target);
        const bool range = target->printRange() == QPrinter::PageRange;
        PaintSheets(painter, *target, doc, sheets, range ? target->fromPage() : 0,
                    range ? target->toPage() : 0);
    });

    auto* pdf = new QAction(QStringLiteral("Als PDF speichern …"), &dialog);
    pdf->setToolTip(QStringLiteral("Den Ausdruck als PDF-Datei speichern"));
    QObject::connect(pdf, &QAction::triggered, &dialog, [&] {
        const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                              QStringLiteral("/VALMERA 47.pdf");
        QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("Als PDF speichern"),
                                                    start, QStringLiteral("PDF-Dateien (*.pdf)"));
        if (path.isEmpty())
            return;
        if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        QString error;
        if (!WriteReportPdf(doc, path, &error))
            QMessageBox::warning(&dialog, QStringLiteral("Als PDF speichern"), error);
    });
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(pdf);
    } else {
        dialog.addAction(pdf);
    }
    dialog.exec();
    return true;
}

} // namespace orvanta::reports
