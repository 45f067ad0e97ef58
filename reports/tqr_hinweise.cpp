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

TLineStyle styleOf(TQR_Hinweise::TZeilenart kind) {
    switch (kind) {
    case TQR_Hinweise::TZeilenart::Ueberschrift:
        return {17.0, true, 8.6};
    case TQR_Hinweise::TZeilenart::Zwischentitel:
        return {12.0, true, 5.8};
    case TQR_Hinweise::TZeilenart::Luecke:
        return {10.0, false, 2.2};
    default:
        return {10.0, false, 4.25};
    }
}
} // namespace

const std::vector<TQR_Hinweise::TZeile>& TQR_Hinweise::Zeilen() {
    using K = TZeilenart;
    static const std::vector<TZeile> lines = {
        {K::Ueberschrift, u"1. Wichtige Hinweise zum individuellen Anlagevorschlag"},
        {K::Zwischentitel, u"Darstellung der möglichen Entwicklung Ihrer Anlage"},
        {K::Text, u"Die nachfolgende Modellrechnung geht von einer jährlich gleich bleibenden "
                  u"Wertentwicklung aus"},
        {K::Text, u"und dient ausschließlich der Veranschaulichung. Aus ihr lassen sich weder "
                  u"vergangene noch"},
        {K::Text, u"zukünftige Wertentwicklungen ableiten; die tatsächlichen Ergebnisse können "
                  u"niedriger oder"},
        {K::Text, u"höher ausfallen. Die tatsächlich erzielten Ergebnisse, auch die der "
                  u"Vergangenheit, weist"},
        {K::Text, u"Ihnen der jährliche Rechenschaftsbericht aus."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Nachteile einer vorzeitigen Kündigung"},
        {K::Text, u"Eine fondsgebundene Vermögensverwaltung sollte langfristig angelegt sein. "
                  u"Da die Einrichtungs-"},
        {K::Text, u"gebühr zu Beginn fällig wird – sofort oder auf Wunsch über einen Zeitraum "
                  u"verteilt –, kann"},
        {K::Text, u"das Fondsguthaben nach einer vorzeitigen Kündigung niedriger sein als die "
                  u"Summe der einge-"},
        {K::Text, u"zahlten Beiträge. Die Einrichtungsgebühr wird mit der Einmalanlage oder dem "
                  u"ersten Monats-"},
        {K::Text, u"beitrag erhoben; beim Aufbauplan kann sie auch in 24 oder 36 gleichen "
                  u"Teilbeträgen entrichtet"},
        {K::Text, u"werden. Wird der Verwaltungsvertrag gekündigt, behält die Depotbank "
                  u"Kelvora ihren Anspruch"},
        {K::Text, u"auf die volle Einrichtungsgebühr. Einrichtungsgebühren werden nicht "
                  u"erstattet."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Kosten und Gebühren"},
        {K::Text, u"Die laufenden Kosten und Gebühren werden dem verwalteten Vermögen "
                  u"entnommen. Die Werte der"},
        {K::Text, u"nachfolgenden Modellrechnungen sind daher Nettowerte, also Werte"},
        {K::TextBetont, u"nach Abzug aller laufenden Kosten und Gebühren "
                        u"(Depot-Rücknahmewert)."},
        {K::Luecke, u""},
        {K::Ueberschrift, u"2. Vorteile von VALMERA 47 für Ihre private Altersvorsorge"},
        {K::Zwischentitel, u"Flexibilität"},
        {K::Text, u"Ihre Anlage bleibt über die gesamte Laufzeit flexibel und eignet sich "
                  u"deshalb besonders gut"},
        {K::Text, u"für den Aufbau einer privaten Altersvorsorge."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Verfügbarkeit"},
        {K::Text, u"Über Ihr Kapital können Sie jederzeit verfügen, indem Sie Fondsanteile zum "
                  u"aktuellen Kurs"},
        {K::Text, u"verkaufen. Sinkt die Anlage im Depot unter den Mindestbetrag von 2.500 EUR, "
                  u"muss das Depot"},
        {K::Text, u"vollständig aufgelöst werden."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Einmalige Kapitalauszahlung"},
        {K::Text, u"Durch den Verkauf der Fondsanteile ist eine einmalige Auszahlung des "
                  u"Depots jederzeit möglich."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Freie Vererbbarkeit"},
        {K::Text, u"Fondsanteile sind uneingeschränkt vererbbar. Nach dem Tod des Depotinhabers "
                  u"bleibt der volle"},
        {K::Text, u"Depotwert erhalten und steht den Erben zur Verfügung."},
        {K::Luecke, u""},
        {K::Zwischentitel, u"Rentenzahlung / Entnahmeplan"},
        {K::Text, u"Eine Rente können Sie beziehen, indem Sie Ihr Depot in einen Entnahmeplan "
                  u"umwandeln. Ebenso"},
        {K::Text, u"lässt sich der Erlös aus einem Verkauf der Fondsanteile in eine "
                  u"Rentenversicherung mit sofort"},
        {K::Text, u"beginnender oder aufgeschobener Rentenzahlung umwandeln."},
        {K::Luecke, u""},
        {K::Luecke, u""},
        {K::Text, u"Die nachfolgenden Tabellen dienen ausschließlich der Veranschaulichung. Es "
                  u"handelt sich um"},
        {K::Text, u"unverbindliche Beispielrechnungen ohne Gewähr."},
    };
    return lines;
}

TQR_Hinweise::TQR_Hinweise(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("TQR_Hinweise"), calc, maxPage) {
    Title.Height = TitleHeight;
    AddLogoAndProductLine(Title, TextLinks);
    // Same content as the title; never printed because the page has one sheet.
    PageHeader.Height = TitleHeight;
    AddLogoAndProductLine(PageHeader, TextLinks);
    PageHeader.Enabled = false;

    Detail.Height = DetailHeight;
    double y = 1.0;
    int n = 0;
    for (const TZeile& line : Zeilen()) {
        const TLineStyle style = styleOf(line.Art);
        if (line.Art == TZeilenart::Zwischentitel)
            y += 1.0;
        if (line.Art != TZeilenart::Luecke) {
            TReportItem& label = Detail.addLabel(QStringLiteral("QRL_Hinweis_%1").arg(++n),
                                                 QRectF(TextLinks, y, TextBreite, style.Height),
                                                 QString::fromUtf16(line.Text), style.Size,
                                                 style.Bold, Qt::AlignLeft | Qt::AlignVCenter);
            if (line.Art == TZeilenart::TextBetont) {
                label.Bold = true;
                label.Underline = true;
            }
        }
        y += style.Height;
    }

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, false, false);
}

void TQR_Hinweise::QuickRep1BeforePrint() {
    FVon->Caption = QStringLiteral("von ") + QString::number(MaxPage);
    Zeile = 0;
}

bool TQR_Hinweise::QuickRep1NeedData() {
    return SingleRowNeedData();
}

} // namespace orvanta::reports
