#include "dialogs/tfrm_druckpar.h"

#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "controls/teditcheck.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"

#include "core/planrecord.h"

#include <QEvent>
#include <QSettings>

namespace orvanta {

namespace {

constexpr int Width = 360;
constexpr int BoxLeft = 16;
constexpr int BoxWidth = Width - 2 * BoxLeft;
constexpr int BoxHeight = 20;

// The program's settings; per user, beside no plan file.
QSettings ProgrammEinstellungen() {
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("Orvanta"));
}
const QString KostenSchluessel = QStringLiteral("Ausdruck/Kostenuebersicht");

QFont Arial(int pointSize, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace

Tfrm_DruckPar::Tfrm_DruckPar(QWidget* parent) : TbrixDialog(parent) {
    setFont(Arial(9));
    setFixedSize(Width, 172);

    lbl_Kopf = new TEditLabel(QStringLiteral("  Angaben zum Ausdruck"), this);
    lbl_Kopf->SetAutoSize(false);
    lbl_Kopf->SetWordWrap(false);
    lbl_Kopf->setFont(Arial(9, true));
    lbl_Kopf->SetColor(HouseRed());
    lbl_Kopf->SetFontColor(Qt::white);
    lbl_Kopf->setGeometry(0, 0, Width, 20);

    auto box = [this](const QString& caption, int top) {
        auto* check = new TEditCheck(caption, this);
        check->setGeometry(BoxLeft, top, BoxWidth, BoxHeight);
        return check;
    };
    // Created in keyboard order, so that the focus chain is that order.
    cb_Grafik = box(QStringLiteral("  Schweizer Kreuz / Matterhorn-Grafik mitdrucken"), 84);
    cb_Logo = box(QStringLiteral("Logo"), 84);
    cb_Einzahlung = box(QStringLiteral("  Einzahlungsphase ausdrucken"), 32);
    cb_Auszahlung = box(QStringLiteral("  Entnahmephase ausdrucken"), 58);
    // The hidden boxes sit under the options they belong to; they are never
    // shown, so the visible ones close up.
    CB_Einz_FRV_Vergleich = box(QStringLiteral("  Einzahlungsphase mit FRV- Vergleich"), 32);
    CB_Ausz_FRV_Vergleich = box(QStringLiteral("  Entnahmephase mit FRV- Vergleich"), 58);
    for (TEditCheck* hidden : {cb_Logo, CB_Einz_FRV_Vergleich, CB_Ausz_FRV_Vergleich})
        hidden->setVisible(false);
    // Two blanks before the caption, like the boxes above it.
    cb_Kosten = box(QStringLiteral("  Kostenübersicht"), 110);
    cb_Kosten->SetChecked(ProgrammEinstellungen().value(KostenSchluessel, false).toBool());

    btn_OK = new TExplorerButton(QStringLiteral("OK"), this);
    ApplyHouseButtonDesign(*btn_OK);
    btn_OK->setFont(Arial(9));
    ApplyHouseButtonColors(*btn_OK);
    btn_OK->setGeometry(Width - BoxLeft - 90, 140, 90, 21);

    // Named for lookups from outside (tests): the controls stay private.
    for (auto [w, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {lbl_Kopf, "lbl_Kopf"},
             {cb_Grafik, "cb_Grafik"},
             {cb_Logo, "cb_Logo"},
             {cb_Einzahlung, "cb_Einzahlung"},
             {cb_Auszahlung, "cb_Auszahlung"},
             {CB_Einz_FRV_Vergleich, "CB_Einz_FRV_Vergleich"},
             {CB_Ausz_FRV_Vergleich, "CB_Ausz_FRV_Vergleich"},
             {cb_Kosten, "cb_Kosten"},
             {btn_OK, "btn_OK"}})
        w->setObjectName(QString::fromLatin1(name));

    QWidget* order[] = {cb_Grafik,
                        cb_Logo,
                        cb_Einzahlung,
                        cb_Auszahlung,
                        CB_Einz_FRV_Vergleich,
                        CB_Ausz_FRV_Vergleich,
                        cb_Kosten,
                        btn_OK};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(btn_OK, &TExplorerButton::clicked, this, [this] { btn_OKClick(); });
    for (TEditCheck* phase : {cb_Einzahlung, cb_Auszahlung})
        connect(phase, &TEditCheck::toggled, this, [this] { FRVFreigabe(); });
    // Kept at once, so that the choice survives however the dialog is left.
    connect(cb_Kosten, &TEditCheck::toggled, this,
            [this] { ProgrammEinstellungen().setValue(KostenSchluessel, cb_Kosten->Checked()); });
    FRVFreigabe();
}

bool Tfrm_DruckPar::Kostenuebersicht() const {
    return cb_Kosten->Checked();
}

void Tfrm_DruckPar::AusRecordLaden(const TPlanRecord& rec) {
    cb_Grafik->SetChecked(rec.Grafik_drucken != 0);
    cb_Logo->SetChecked(rec.Logo_drucken != 0);
    cb_Einzahlung->SetChecked(rec.Einzahlungsphase_drucken != 0);
    cb_Auszahlung->SetChecked(rec.Entnahmephase_drucken != 0);
    CB_Einz_FRV_Vergleich->SetChecked(rec.FRV_Vergleich_Einzahlung != 0);
    CB_Ausz_FRV_Vergleich->SetChecked(rec.FRV_Vergleich_Entnahme != 0);
}

void Tfrm_DruckPar::InRecordSpeichern(TPlanRecord& rec) const {
    rec.Grafik_drucken = cb_Grafik->Checked();
    rec.Logo_drucken = cb_Logo->Checked();
    rec.Einzahlungsphase_drucken = cb_Einzahlung->Checked();
    rec.Entnahmephase_drucken = cb_Auszahlung->Checked();
    rec.FRV_Vergleich_Einzahlung = CB_Einz_FRV_Vergleich->Checked();
    rec.FRV_Vergleich_Entnahme = CB_Ausz_FRV_Vergleich->Checked();
}

void Tfrm_DruckPar::Zugriffsanzeige(bool frvVerfuegbar) {
    FFRV_verfuegbar = frvVerfuegbar;
    FRVFreigabe();
}

void Tfrm_DruckPar::FRVFreigabe() {
    CB_Einz_FRV_Vergleich->setEnabled(FFRV_verfuegbar && cb_Einzahlung->Checked());
    CB_Ausz_FRV_Vergleich->setEnabled(FFRV_verfuegbar && cb_Auszahlung->Checked());
}

void Tfrm_DruckPar::SetzeFRVVergleich(bool einzahlung, bool entnahme) {
    CB_Einz_FRV_Vergleich->SetChecked(einzahlung);
    CB_Ausz_FRV_Vergleich->SetChecked(entnahme);
}

int Tfrm_DruckPar::Oeffnen(QWidget* opener) {
    // OK is the active control; the frame's show step then moves the focus on
    // to the first option.
    btn_OK->setFocus();
    if (opener)
        move(opener->pos() + QPoint(240, 420));
    return ShowModal();
}

void Tfrm_DruckPar::Hausfarben() {
    ApplyHouseButtonColors(*btn_OK);
}

void Tfrm_DruckPar::btn_OKClick() {
    const bool done = RunAndReport(
        [this] {
            // The record must hold the current choices and results before the
            // set is built from it.
            emit speichernUndNeuberechnen();
            emit vorschauZeigen();
        },
        this);
    if (done)
        SetModalResult(mrOk);
}

bool Tfrm_DruckPar::event(QEvent* event) {
    // The button's colours are set at every activation, like those of the
    // main window's buttons.
    if (event->type() == QEvent::WindowActivate)
        ApplyHouseButtonColors(*btn_OK);
    return TbrixDialog::event(event);
}

} // namespace orvanta
