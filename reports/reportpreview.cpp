#include "reports/reportpreview.h"

#include "reports/reportpainter.h"
#include "reports/reportprinter.h"
#include "reports/reportset.h"

#include "reports/reporttexts.h"

#include "core/inouterror.h"
#include "core/version.h"
#include "platform/datalocation.h"

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
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QToolBar>
#include <QTranslator>

#include <cerrno>

#include <unistd.h>

namespace orvanta::reports {

namespace {

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

QString& startFolder() {
    static QString folder;
    return folder;
}

QString PdfSaveFolder() {
    // A folder that has gone, or a documents folder the system names but
    // never made, would leave the file dialogs refusing the suggested name.
    if (!lastSaveFolder().isEmpty() && QFileInfo(lastSaveFolder()).isDir())
        return lastSaveFolder();
    if (!startFolder().isEmpty() && QFileInfo(startFolder()).isDir())
        return startFolder();
    return customerStartFolder({}, {},
                               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                               QDir::homePath());
}

QString WriteProblem(const QString& path, int err) {
    const QFileInfo target(path);
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    const QFileInfo folderInfo(target.absolutePath());
    if (!folderInfo.exists())
        return QStringLiteral("Den Ordner \"%1\" gibt es nicht.").arg(folder);
    if (!folderInfo.isDir())
        return QStringLiteral("\"%1\" ist kein Ordner.").arg(folder);
    if (target.isDir())
        return QStringLiteral("\"%1\" ist ein Ordner.").arg(QDir::toNativeSeparators(path));
    if (::access(QFile::encodeName(target.absolutePath()).constData(), W_OK) != 0)
        return errno == EROFS
                   ? QStringLiteral("Der Ordner \"%1\" liegt auf einem schreibgeschützten "
                                    "Datenträger.")
                         .arg(folder)
                   : QStringLiteral("Keine Berechtigung, im Ordner \"%1\" zu schreiben.")
                         .arg(folder);
    if (target.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return QStringLiteral("Die Datei ist schreibgeschützt.");
    if (err == ENOSPC || err == EDQUOT || QStorageInfo(target.absolutePath()).bytesAvailable() == 0)
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    if (err != 0)
        return QString::fromStdString(SystemErrorText(err));
    return QStringLiteral("Die Ausgabe ist fehlgeschlagen.");
}

void SetPdfStartFolder(const QString& folder) {
    startFolder() = folder;
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
        return fail(WriteProblem(path, errno));
    // A customer's report: a new file is its owner's alone, an existing one
    // keeps its permissions.
    if (neu)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(A4FullPage());
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
        return fail(WriteProblem(path, errno));
    return true;
}

void PrintFromPreview(const TLaidOutDocument& doc, QPrinter& printer, TReportPainter& sheets,
                      QWidget* parent) {
    RequestA4(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, doc.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    RequestA4(printer);
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    const bool range = printer.printRange() == QPrinter::PageRange;
    errno = 0;
    if (PrintSheets(printer, doc, sheets, range ? printer.fromPage() : 0,
                    range ? printer.toPage() : 0) < 0) {
        const QString why =
            toFile
                ? QStringLiteral("Die PDF-Datei \"%1\" konnte nicht geschrieben werden: %2")
                      .arg(printer.outputFileName(), WriteProblem(printer.outputFileName(), errno))
                : QStringLiteral("Der Drucker \"%1\" hat den Ausdruck nicht angenommen.")
                      .arg(printer.printerName());
        QMessageBox::warning(parent, QStringLiteral("Drucken"), why);
        return;
    }
    if (toFile) {
        // A set printed to a file counts as saved there.
        RememberPdfSaveFolder(printer.outputFileName());
        return;
    }
    const QString note =
        PaperNote(printer.printerName(), printer.pageLayout(), FitA4(printer.pageLayout()));
    if (!note.isEmpty())
        QMessageBox::information(parent, QStringLiteral("Drucken"), note);
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
    // A4 portrait before anything shows it, whatever paper the default
    // printer prefers.
    RequestA4(printer);
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
        // As it will be printed: on A4 as designed, on other paper reduced.
        const bool range = target->printRange() == QPrinter::PageRange;
        PrintSheets(*target, doc, sheets, range ? target->fromPage() : 0,
                    range ? target->toPage() : 0);
    });

    // Printing leaves the preview open (the preview's own print action closes
    // it), so that a second copy is one more click; the paper is A4 again
    // after the print dialog, which takes over the chosen printer's default.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        const QString text = action->text();
        if (text == printText) {
            QObject::disconnect(action, &QAction::triggered, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog,
                             [&] { PrintFromPreview(doc, printer, sheets, &dialog); });
        } else if (text == QCoreApplication::translate("QPrintPreviewDialog", "Page setup") ||
                   text == QCoreApplication::translate("QPrintPreviewDialog", "Portrait") ||
                   text == QCoreApplication::translate("QPrintPreviewDialog", "Landscape")) {
            // The sheets are A4 portrait; another paper or orientation is no choice.
            action->setVisible(false);
        }
    }

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
    return true;
}

} // namespace orvanta::reports
