#include "app/planfiles.h"

#include "core/cp1252.h"
#include "core/errors.h"
#include "core/planfile.h"
#include "platform/datalocation.h"
#include "reports/reportpreview.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace orvanta {

namespace {

QString waehle(QWidget* parent, QFileDialog::AcceptMode modus, const QString& titel,
               const QString& filter, const QString& endung, const QString& start) {
    reports::InstallGermanQtTranslations();
    QFileDialog dlg(parent, titel, start, filter);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(modus);
    dlg.setFileMode(modus == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    dlg.setDefaultSuffix(endung);
    // "kunde.dat" and "KUNDE.DAT" are plans as well.
    dlg.setFilter(dlg.filter() & ~QDir::CaseSensitive);
    if (modus == QFileDialog::AcceptSave && !QFileInfo(start).isDir())
        dlg.selectFile(QFileInfo(start).fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

} // namespace

QString PlanFilter() {
    return QStringLiteral("Orvanta-Pläne (*.Dat)");
}

QString FensterTitel(const QString& version, const QString& datei) {
    if (datei.isEmpty())
        return version;
    return version + QStringLiteral(" \u2013 ") + QFileInfo(datei).fileName();
}

CsvTabelle VorschauTabelle(const TPlanRecord& rec) {
    if (rec.Ansicht == 2 || rec.Grafik_Phase == 2)
        return CsvTabelle::Entnahme;
    return CsvTabelle::Aufbau;
}

QString CsvVorschlag(const TPlanRecord& rec, CsvTabelle tabelle) {
    QString name = QString::fromStdString(Cp1252ToUtf8(rec.Nachname.view())).simplified();
    name.remove(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")));
    const QString teil = tabelle == CsvTabelle::Aufbau     ? QStringLiteral("Einzahlungsphase")
                         : tabelle == CsvTabelle::Entnahme ? QStringLiteral("Entnahmephase")
                                                           : QStringLiteral("Provision");
    return (name.isEmpty() ? teil : name + QLatin1Char(' ') + teil) + QStringLiteral(".csv");
}

QString WaehlePlanZumOeffnen(QWidget* parent, const QString& verzeichnis) {
    return waehle(parent, QFileDialog::AcceptOpen, QStringLiteral("Plan öffnen"), PlanFilter(),
                  QStringLiteral("Dat"), verzeichnis);
}

QString WaehlePlanZumSpeichern(QWidget* parent, const QString& verzeichnis, const QString& titel) {
    return waehle(parent, QFileDialog::AcceptSave, titel, PlanFilter(), QStringLiteral("Dat"),
                  verzeichnis);
}

void LegePlanAn(const QString& datei, const QString& vorlagenOrdner) {
    // A customer's plan is never replaced by the defaults by mistake.
    if (QFileInfo::exists(datei) || QFileInfo(datei).isSymLink())
        throw EOrvantaError(QStringLiteral("Die Datei %1 gibt es schon; sie bleibt unverändert.")
                                .arg(QuotedPath(datei))
                                .toStdString());
    TPlanRecord rec{};
    ReadPlanRecordFile(rec, DataFilePath(QDir::toNativeSeparators(vorlagenOrdner).toStdString()),
                       OpenFor::Reading);
    SavePlanRecord(rec, QDir::toNativeSeparators(datei).toStdString());
}

QString WaehleCsvDatei(QWidget* parent, const QString& vorschlag) {
    return waehle(parent, QFileDialog::AcceptSave, QStringLiteral("Tabelle als CSV speichern"),
                  QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"), vorschlag);
}

void SchreibeDatei(const QString& path, const std::string& bytes) {
    QSaveFile datei(path);
    const bool neu = !QFileInfo::exists(path);
    // A customer's table: a new file is its owner's alone.
    if (!datei.open(QIODevice::WriteOnly) ||
        (neu && !datei.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) ||
        datei.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !datei.commit())
        throw EInOutError(0, QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                                 .arg(QuotedPath(path))
                                 .toStdString());
}

} // namespace orvanta
