#include "reports/tqr_hinweise.h"

namespace orvanta::reports {

namespace {
constexpr double TitleHeight = 31.2;
constexpr double DetailHeight = 224.4;
constexpr double FooterHeight = 16.1;

struct TLineStyle {
    double Size;
    bool Bold;
    double Height; // advance in mm
};

TLineStyle styleOf(TQR_Hinweise::TLineKind kind) {
    switch (kind) {
    case TQR_Hinweise::TLineKind::Heading:
        return {17.0, true, 8.6};
    case TQR_Hinweise::TLineKind::Subheading:
        return {12.0, true, 5.8};
    case TQR_Hinweise::TLineKind::Gap:
        return {10.0, false, 2.2};
    default:
        return {10.0, false, 4.25};
    }
}
} // namespace

const std::vector<TQR_Hinweise::TLine>& TQR_Hinweise::Lines() {
    using K = TLineKind;
    static const std::vector<TLine> lines = {
        {K::Heading, u"1. Wichtige Hinweise zum individuellen Anlagevorschlag"},
        {K::Subheading, u"Darstellung der möglichen Entwicklung Ihrer Anlage"},
        {K::Body, u"Die nachfolgende Modellrechnung geht von einer jährlich gleich bleibenden "
                  u"Wertentwicklung aus"},
        {K::Body, u"und dient ausschließlich der Veranschaulichung. Aus ihr lassen sich weder "
                  u"vergangene noch"},
        {K::Body, u"zukünftige Wertentwicklungen ableiten; die tatsächlichen Ergebnisse können "
                  u"niedriger oder"},
        {K::Body, u"höher ausfallen. Die tatsächlich erzielten Ergebnisse, auch die der "
                  u"Vergangenheit, weist"},
        {K::Body, u"Ihnen der jährliche Rechenschaftsbericht aus."},
        {K::Gap, u""},
        {K::Subheading, u"Nachteile einer vorzeitigen Kündigung"},
        {K::Body, u"Eine fondsgebundene Vermögensverwaltung sollte langfristig angelegt sein. "
                  u"Da die Einrichtungs-"},
        {K::Body, u"gebühr zu Beginn fällig wird – sofort oder auf Wunsch über einen Zeitraum "
                  u"verteilt –, kann"},
        {K::Body, u"das Fondsguthaben nach einer vorzeitigen Kündigung niedriger sein als die "
                  u"Summe der einge-"},
        {K::Body, u"zahlten Beiträge. Die Einrichtungsgebühr wird mit der Einmalanlage oder dem "
                  u"ersten Monats-"},
        {K::Body, u"beitrag erhoben; beim Aufbauplan kann sie auch in 24 oder 36 gleichen "
                  u"Teilbeträgen entrichtet"},
        {K::Body, u"werden. Wird der Verwaltungsvertrag gekündigt, behält die Depotbank "
                  u"Kelvora ihren Anspruch"},
        {K::Body, u"auf die volle Einrichtungsgebühr. Einrichtungsgebühren werden nicht "
                  u"erstattet."},
        {K::Gap, u""},
        {K::Subheading, u"Kosten und Gebühren"},
        {K::Body, u"Die laufenden Kosten und Gebühren werden dem verwalteten Vermögen "
                  u"entnommen. Die Werte der"},
        {K::Body, u"nachfolgenden Modellrechnungen sind daher Nettowerte, also Werte"},
        {K::BodyEmphasis, u"nach Abzug aller laufenden Kosten und Gebühren "
                          u"(Depot-Rücknahmewert)."},
        {K::Gap, u""},
        {K::Heading, u"2. Vorteile von VALMERA 47 für Ihre private Altersvorsorge"},
        {K::Subheading, u"Flexibilität"},
        {K::Body, u"Ihre Anlage bleibt über die gesamte Laufzeit flexibel und eignet sich "
                  u"deshalb besonders gut"},
        {K::Body, u"für den Aufbau einer privaten Altersvorsorge."},
        {K::Gap, u""},
        {K::Subheading, u"Verfügbarkeit"},
        {K::Body, u"Über Ihr Kapital können Sie jederzeit verfügen, indem Sie Fondsanteile zum "
                  u"aktuellen Kurs"},
        {K::Body, u"verkaufen. Sinkt die Anlage im Depot unter den Mindestbetrag von 2.500 EUR, "
                  u"muss das Depot"},
        {K::Body, u"vollständig aufgelöst werden."},
        {K::Gap, u""},
        {K::Subheading, u"Einmalige Kapitalauszahlung"},
        {K::Body, u"Durch den Verkauf der Fondsanteile ist eine einmalige Auszahlung des "
                  u"Depots jederzeit möglich."},
        {K::Gap, u""},
        {K::Subheading, u"Freie Vererbbarkeit"},
        {K::Body, u"Fondsanteile sind uneingeschränkt vererbbar. Nach dem Tod des Depotinhabers "
                  u"bleibt der volle"},
        {K::Body, u"Depotwert erhalten und steht den Erben zur Verfügung."},
        {K::Gap, u""},
        {K::Subheading, u"Rentenzahlung / Entnahmeplan"},
        {K::Body, u"Eine Rente können Sie beziehen, indem Sie Ihr Depot in einen Entnahmeplan "
                  u"umwandeln. Ebenso"},
        {K::Body, u"lässt sich der Erlös aus einem Verkauf der Fondsanteile in eine "
                  u"Rentenversicherung mit sofort"},
        {K::Body, u"beginnender oder aufgeschobener Rentenzahlung umwandeln."},
        {K::Gap, u""},
        {K::Gap, u""},
        {K::Body, u"Die nachfolgenden Tabellen dienen ausschließlich der Veranschaulichung. Es "
                  u"handelt sich um"},
        {K::Body, u"unverbindliche Beispielrechnungen ohne Gewähr."},
    };
    return lines;
}

TQR_Hinweise::TQR_Hinweise(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("TQR_Hinweise"), calc, maxPage) {
    Title.Height = TitleHeight;
    AddLogoAndProductLine(Title, TextLeft);
    // Same content as the title; never printed because the page has one sheet.
    PageHeader.Height = TitleHeight;
    AddLogoAndProductLine(PageHeader, TextLeft);
    PageHeader.Enabled = false;

    Detail.Height = DetailHeight;
    double y = 1.0;
    int n = 0;
    for (const TLine& line : Lines()) {
        const TLineStyle style = styleOf(line.Kind);
        if (line.Kind == TLineKind::Subheading)
            y += 1.0;
        if (line.Kind != TLineKind::Gap) {
            TReportItem& label = Detail.addLabel(QStringLiteral("QRL_Hinweis_%1").arg(++n),
                                                 QRectF(TextLeft, y, TextWidth, style.Height),
                                                 QString::fromUtf16(line.Text), style.Size,
                                                 style.Bold, Qt::AlignLeft | Qt::AlignVCenter);
            if (line.Kind == TLineKind::BodyEmphasis) {
                label.Bold = true;
                label.Underline = true;
            }
        }
        y += style.Height;
    }

    PageFooter.Height = FooterHeight;
    Von = &AddPageFooter(PageFooter, false, false);
}

void TQR_Hinweise::QuickRep1BeforePrint() {
    Von->Caption = QStringLiteral("von ") + QString::number(MaxPage);
    Zeile = 0;
}

bool TQR_Hinweise::QuickRep1NeedData() {
    return SingleRowNeedData();
}

} // namespace orvanta::reports
