#include "reports/reportpreview.h"

#include "reports/reportpainter.h"
#include "reports/reportset.h"

#include "reports/reporttexts.h"

#include "core/inouterror.h"
#include "core/version.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

#include <cerrno>

namespace orvanta::reports {

namespace {

QPageLayout a4FullPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

// The folder chosen last in this run; empty until the first save.
QString& lastSaveFolder() {
    static QString folder;
    return folder;
}

// A name as one part of a file name: no path separators, no characters that
// Windows refuses, no control characters, blanks collapsed, and not so long
// that the whole name exceeds what file systems take (255 bytes).
QString fileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c))
            part += QLatin1Char('_');
        else
            part += c;
    }
    part = part.simplified();
    while (part.size() > 80 || part.toUtf8().size() > 100) {
        part.chop(1);
        if (!part.isEmpty() && part.back().isHighSurrogate()) // keep characters whole
            part.chop(1);
    }
    return part.trimmed();
}

} // namespace

QString SuggestedPdfFileName(const QString& nachname, const QString& vorname, const QDate& date) {
    QStringList parts{QStringLiteral("VALMERA 47")};
    for (const QString& name : {nachname, vorname}) {
        const QString part = fileNamePart(name);
        if (!part.isEmpty())
            parts << part;
    }
    parts << date.toString(QStringLiteral("yyyy-MM-dd"));
    return parts.join(QLatin1Char(' ')) + QStringLiteral(".pdf");
}

QString PdfSaveFolder() {
    if (!lastSaveFolder().isEmpty())
        return lastSaveFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void RememberPdfSaveFolder(const QString& filePath) {
    if (!filePath.isEmpty())
        lastSaveFolder() = QFileInfo(filePath).absolutePath();
}

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

namespace {

// Why the PDF file could not be written, in the words of the data file's
// errors (Qt's own texts are English). err is errno right after the failed
// call, cleared before it: Qt refuses a write-protected file or a folder by
// itself, before any system call, and a failed write is only remembered.
QString writeErrorText(const QFileDevice& file, int err) {
    if (err == 0)
        err = file.error() == QFileDevice::ResourceError ? ENOSPC
              : file.error() == QFileDevice::WriteError  ? EIO
                                                         : EACCES;
    return QString::fromStdString(SystemErrorText(err));
}

} // namespace

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
    const bool neu = !QFileInfo::exists(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(writeErrorText(file, errno));
    // A customer's report: a new file is its owner's alone, an existing one
    // keeps its permissions.
    if (neu)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(a4FullPage());
        writer.setResolution(PdfAufloesung);
        writer.setCreator(QStringLiteral("Orvanta"));
        writer.setTitle(QStringLiteral("VALMERA 47"));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("Die Ausgabe konnte nicht begonnen werden."));
        TReportPainter sheets(pictureDir);
        PaintSheets(painter, writer, doc, sheets);
        painter.end();
    }
    errno = 0;
    if (!file.commit())
        return fail(writeErrorText(file, errno));
    return true;
}

bool ShowReportPreview(TReportSet& set, QWidget* parent) {
    const TLaidOutDocument doc = set.Layout();
    if (doc.Sheets.empty())
        return false;
    InstallGermanQtTranslations();

    const TPlanRecord& rec = set.calc().Rec;
    const QString fileName = SuggestedPdfFileName(RecordText(rec.Nachname), RecordText(rec.Vorname),
                                                  QDate::currentDate());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4FullPage());
    printer.setFullPage(true);
    printer.setDocName(QFileInfo(fileName).completeBaseName());
    printer.setFromTo(0, 0);
    // The print dialog's file output suggests the same file; the printer
    // itself stays the system's own when there is one.
    printer.setOutputFileName(QDir(PdfSaveFolder()).filePath(fileName));
    printer.setOutputFormat(QPrinter::NativeFormat);

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
        const QString start = QDir(PdfSaveFolder()).filePath(fileName);
        QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("Als PDF speichern"),
                                                    start, QStringLiteral("PDF-Dateien (*.pdf)"));
        if (path.isEmpty())
            return;
        if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        RememberPdfSaveFolder(path);
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
    // A set printed to a file counts as saved there.
    if (printer.outputFormat() == QPrinter::PdfFormat)
        RememberPdfSaveFolder(printer.outputFileName());
    return true;
}

} // namespace orvanta::reports
