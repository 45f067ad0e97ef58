// All controls on one small window in the house look. Checks the colours that
// matter on screen; with ORVANTA_SCREENSHOT_DIR set it also saves the window
// as PNG files there, for looking at.

#include "controls/housestyle.h"
#include "controls/tbrixdialog.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/formatsettings.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"
#include "tests/support/widgettools.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

class Gallery : public TbrixDialog {
public:
    TEditLabel* header = new TEditLabel(QStringLiteral("  Angaben zur Person"), this);
    TEditLabel* nameLabel = new TEditLabel(QStringLiteral("&Name"), this);
    TEditText* name = new TEditText(this);
    TEditLabel* sexLabel = new TEditLabel(QStringLiteral("&Geschlecht"), this);
    TEditCombo* sex = new TEditCombo(this);
    TEditLabel* amountLabel = new TEditLabel(QStringLiteral("Monats&betrag Aufbauplan"), this);
    TEditFloat* amount = new TEditFloat(this);
    TEditLabel* yearsLabel = new TEditLabel(QStringLiteral("An&lagedauer"), this);
    TEditFloat* years = new TEditFloat(this);
    TEditCheck* dynamik = new TEditCheck(QStringLiteral("&Dynamik"), this);
    TEditLabel* dynamikRate = new TEditLabel(QStringLiteral("5%"), this);
    TEditCheck* capital = new TEditCheck(QStringLiteral("aus Einzahlungsphase bei"), this);
    TEditLabel* capitalLabel = new TEditLabel(QStringLiteral("Kapital bei Entnahmebeginn"), this);
    TEditFloat* capitalField = new TEditFloat(this);
    TEditCombo* strategy = new TEditCombo(this);
    TEditLabel* framed = new TEditLabel(QStringLiteral("Ctl3D"), this);
    TExplorerButton* save = new TExplorerButton(QStringLiteral("&speichern und beenden"), this);
    TExplorerButton* result = new TExplorerButton(QStringLiteral("Ergebnis / Ausdruck"), this);
    TExplorerButton* settings = new TExplorerButton(QStringLiteral("E&instellungen"), this);
    TExplorerButton* disabled =
        new TExplorerButton(QStringLiteral("Ergebnis mit FRV &Vergleich"), this);

    Gallery() {
        setWindowTitle(QStringLiteral("Orvanta - Steuerelemente"));
        QFont panel(QStringLiteral("Arial"));
        panel.setPixelSize(12);
        setFont(panel);
        setFixedSize(560, 300);

        header->SetAutoSize(false);
        header->setGeometry(8, 8, 544, 18);
        header->SetColor(HouseRed());
        header->SetFontColor(Qt::white);
        QFont bold = panel;
        bold.setBold(true);
        header->setFont(bold);

        const auto row = [](TEditLabel* label, QWidget* field, int y, QWidget* focus = nullptr) {
            label->SetAutoSize(false);
            label->setGeometry(16, y + 3, 150, 16);
            label->SetFocusControl(focus ? focus : field);
            field->setGeometry(170, y, 150, 21);
        };
        row(nameLabel, name, 34);
        name->SetValue(QStringLiteral("Mustermann"));
        row(sexLabel, sex, 60);
        sex->ItemRefList()->Add(QStringLiteral("männlich"), 1);
        sex->ItemRefList()->Add(QStringLiteral("weiblich"), 2);
        sex->SetValue(2);
        row(amountLabel, amount, 86);
        amount->SetDecimals(2);
        amount->SetAlignment(taRightJustify);
        amount->SetFormatView(QStringLiteral("####0.00 €"));
        amount->SetFormatEdit(QStringLiteral("####0.00"));
        amount->SetValueMin(1);
        amount->SetValueMax(10000000);
        amount->SetValue(12345.5);
        row(yearsLabel, years, 112);
        years->SetAlignment(taRightJustify);
        years->SetFormatView(QStringLiteral("##0. Jahre"));
        years->SetValue(25);

        dynamik->setGeometry(16, 140, 100, 18);
        dynamik->SetChecked(true);
        dynamikRate->move(120, 141);
        capital->setGeometry(16, 164, 190, 18);
        capital->SetChecksign(TEditCheck::csHook);
        capital->SetChecked(true);
        row(capitalLabel, capitalField, 188);
        capitalField->SetDecimals(2);
        capitalField->SetAlignment(taRightJustify);
        capitalField->SetFormatView(QStringLiteral("####0.00 €"));
        capitalField->SetValue(98765.43);
        capitalField->setEnabled(false);
        strategy->setGeometry(330, 34, 80, 21);
        strategy->ItemRefList()->Add(QStringLiteral("Strategiedepot W"), 3);
        strategy->SetValue(3);
        strategy->setEnabled(false);
        framed->SetCtl3D(true);
        framed->move(340, 140);

        int x = 8;
        for (TExplorerButton* b : {save, result, settings}) {
            ApplyHouseButtonDesign(*b);
            ApplyHouseButtonColors(*b);
            b->resize(b->sizeHint().width(), 21);
            b->move(x, 230);
            x += b->width() + 8;
        }
        ApplyHouseButtonDesign(*disabled);
        ApplyHouseButtonColors(*disabled);
        disabled->setGeometry(8, 262, 220, 21);
        disabled->setEnabled(false);
    }

    QImage Shot(const QString& name) {
        const QImage image = grab().toImage();
        Screenshot(image, name);
        return image;
    }
    QColor At(const QImage& image, QWidget* w, QPoint p) {
        return image.pixelColor(w->mapTo(this, p));
    }
};

} // namespace

class TestControlsGallery : public QObject {
    Q_OBJECT
private slots:
    void init() { SetFormatSettings(TFormatSettings{',', '.'}); }
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }
    void houseLook();
};

void TestControlsGallery::houseLook() {
    Gallery g;
    QVERIFY(ShowActive(g));
    g.settings->setFocus();
    QVERIFY(g.settings->hasFocus());
    QImage image = g.Shot(QStringLiteral("controls-button-focused.png"));

    QCOMPARE(g.At(image, g.header, QPoint(2, 2)), HouseRed());
    QCOMPARE(g.At(image, g.save, QPoint(6, 10)), HouseRed());
    QCOMPARE(g.At(image, g.settings, QPoint(6, 10)), HouseFocusRed());
    QCOMPARE(g.At(image, g.dynamik, QPoint(2, g.dynamik->height() / 2)), QColor(Qt::white));
    // Disabled combo and field: button face behind the text.
    const QColor face = g.palette().color(QPalette::Active, QPalette::Button);
    QCOMPARE(g.At(image, g.strategy, QPoint(3, 3)), face);
    // Rounded end: the corner shows the window behind the button.
    QCOMPARE(g.At(image, g.save, QPoint(g.save->width() - 1, 0)),
             g.palette().color(QPalette::Window));

    g.sex->setFocus();
    g.amount->setFocus(Qt::TabFocusReason);
    g.Shot(QStringLiteral("controls-field-focused.png"));
    g.sex->setFocus();
    image = g.Shot(QStringLiteral("controls-combo-focused.png"));
    // The focused combo shows its text selected.
    QCOMPARE(g.At(image, g.sex, QPoint(4, g.sex->height() / 2)),
             g.palette().color(QPalette::Active, QPalette::Highlight));
    g.sex->SetDroppedDown(true);
    QWidget* popup = g.sex->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(popup && popup->isWindow() && popup->isVisible());
    Screenshot(popup, QStringLiteral("controls-combo-list"));
    g.sex->SetDroppedDown(false);
    g.close();
}

QTEST_MAIN(TestControlsGallery)
#include "test_controlsgallery.moc"
