#include "reports/reporttexts.h"

#include "core/cp1252.h"
#include "core/numberpattern.h"
#include "core/planrecord.h"

namespace orvanta::reports {

namespace {
constexpr qsizetype MaxText = 255;
QString capped(QString s) {
    if (s.size() > MaxText)
        s.truncate(MaxText);
    return s;
}
} // namespace

QString StrategieName(int anlagestrategie) {
    switch (anlagestrategie) {
    case StrategieF:
        return QStringLiteral("Strategiedepot F");
    case StrategieS:
        return QStringLiteral("Strategiedepot S");
    case StrategieW:
        return QStringLiteral("Strategiedepot W");
    case StrategieZ:
        return QStringLiteral("Strategiedepot Z");
    default:
        return {};
    }
}

QString StrategieText(int anlagestrategie) {
    switch (anlagestrategie) {
    case StrategieF:
        return QStringLiteral("die Flaggschiffstrategie");
    case StrategieS:
        return QStringLiteral("das sicherheitsorientierte Depot");
    case StrategieW:
        return QStringLiteral("das wachstumsorientierte Depot");
    case StrategieZ:
        return QStringLiteral("das Depot mit der Kelvora-Garantie");
    default:
        return {};
    }
}

QString AnlageartText(int anlageart) {
    switch (anlageart) {
    case KindEinmalanlage:
        return QStringLiteral("Einmalanlage");
    case KindSystemEinmalanlage:
        return QStringLiteral("Systemeinmalanlage");
    default:
        return QStringLiteral("Aufbauplan");
    }
}

QString FloatToStrGeneral(double value) {
    return QString::fromStdString(FormatFloatGeneral(value));
}

QString DynamikText(double dynamik) {
    if (dynamik == 0)
        return QStringLiteral("nicht gewünscht");
    return capped(QStringLiteral("Der Monatsbeitrag wird automatisch am Anfang eines "
                                 "Kalenderjahres um ") +
                  FloatToStrGeneral(dynamik) +
                  QStringLiteral("% erhöht. Für diese Erhöhungen sind keine "
                                 "Einrichtungsgebühren zu entrichten"));
}

QString EntnahmedauerText(int auszDauer) {
    if (auszDauer == AuszDauerOhneKapitalverzehr)
        return QStringLiteral("ewig");
    return QString::number(auszDauer) +
           (auszDauer == 1 ? QStringLiteral(" Jahr") : QStringLiteral(" Jahre"));
}

QString Fmt(std::string_view pattern, double value) {
    return QString::fromStdString(FormatFloat(pattern, value));
}

QString RecordTextBytes(std::string_view cp1252) {
    return capped(QString::fromStdString(Cp1252ToUtf8(cp1252)));
}

std::pair<QString, QString> DynamikZeilen(double dynamik, bool entnahmephase) {
    const QString opening = QStringLiteral("(\"Netto Depot-Rücknahmewert\")");
    const QString beispiel =
        entnahmephase ? QStringLiteral("in der Entnahmephase als unverbindliches Beispiel")
                      : QStringLiteral("als unverbindliches Beispiel");
    if (dynamik == 0)
        return {opening + QLatin1Char(' ') + beispiel, QString()};
    return {opening + QStringLiteral(" bei einer Erhöhung des Anlagebetrages von ") +
                Fmt("##0.0", dynamik) + QStringLiteral("% p.a."),
            beispiel};
}

} // namespace orvanta::reports
