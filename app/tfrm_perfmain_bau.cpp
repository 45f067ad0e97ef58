// Building the main window: its controls, their places, their names and the
// connections of their handlers.

#include "app/tfrm_perfmain.h"

#include "app/fensterrahmen.h"
#include "app/panelrules.h"
#include "app/pictures.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "app/tfrm_perfmain_zugriff.h"
#include "controls/radiogroup.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/planrecord.h"
#include "dialogs/windowstyle.h"

#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace orvanta {

namespace {

// Bounds refused with the field's standard messages. A bound of 0 switches
// its check off when set, so the checks are switched on by hand: without
// them, Alter -5 or 99999999999 was taken and then failed every save.
void Grenzen(TEditFloat* field, double min, double max) {
    field->SetValueMin(min);
    field->SetValueMax(max);
    field->SetCheckMode(field->CheckMode() | ucmMinCheck | ucmMaxCheck);
}

} // namespace

// ---------------------------------------------------------------------------
// Building the window

void Tfrm_perfmain::BaueEingaben() {
    QWidget* w = FRahmen->Inhalt();
    constexpr int L = 16;   // left label column
    constexpr int LI = 190; // left input column
    constexpr int R = 424;  // right label column
    constexpr int RI = 590; // right input column

    Kopfzeile(w, QStringLiteral("  Angaben zur Person"), 8, 8, 400);
    edt_I_P_Nachname = new TEditText(w);
    edt_I_P_Nachname->setFont(ArialPx(12));
    edt_I_P_Nachname->setGeometry(LI, 32, 210, 21);
    Beschriftung(w, QStringLiteral("&Name"), L, 35, 160, edt_I_P_Nachname);
    edt_I_P_Vorname = new TEditText(w);
    edt_I_P_Vorname->setFont(ArialPx(12));
    edt_I_P_Vorname->setGeometry(LI, 56, 210, 21);
    Beschriftung(w, QStringLiteral("V&orname"), L, 59, 160, edt_I_P_Vorname);
    edt_I_P_Eintrittsalter = Zahlfeld(w, LI, 80, 80, 0);
    Grenzen(edt_I_P_Eintrittsalter, 0, HoechstesEintrittsalter);
    Beschriftung(w, QStringLiteral("&Alter"), L, 83, 160, edt_I_P_Eintrittsalter);
    RB_maennlich = Knopf(w, QStringLiteral("männlich"), LI, 105, 90);
    RB_weiblich = Knopf(w, QStringLiteral("weiblich"), LI + 95, 105, 90);
    Beschriftung(w, QStringLiteral("&Geschlecht"), L, 106, 160, RB_maennlich);
    cmb_Geschlecht = new TEditCombo(w);
    cmb_Geschlecht->hide();

    Kopfzeile(w, QStringLiteral("  Angaben zur Einzahlungsphase"), 8, 130, 400);
    RB_Depot_F = Knopf(w, QStringLiteral("Strategiedepot F"), LI, 153, 150);
    RB_Depot_S = Knopf(w, QStringLiteral("Strategiedepot S"), LI, 171, 150);
    RB_Depot_W = Knopf(w, QStringLiteral("Strategiedepot W"), LI, 189, 150);
    RB_Depot_Z = Knopf(w, QStringLiteral("Strategiedepot Z"), LI, 189, 150);
    RB_Depot_Z->hide();
    Beschriftung(w, QStringLiteral("Anlages&trategie"), L, 154, 160, RB_Depot_F);
    RB_Aufbauplan = Knopf(w, QStringLiteral("Aufbauplan"), LI, 213, 150);
    RB_Einmalanlage = Knopf(w, QStringLiteral("Einmalanlage"), LI, 231, 150);
    RB_SystemEinmalanlage = Knopf(w, QStringLiteral("Systemeinmalanlage"), LI, 249, 170);
    Beschriftung(w, QStringLiteral("Anlageart"), L, 214, 160);

    // "&Zahlung Einrichtungsgebühr" and "Übertragungsdauer" share one place.
    lbl_Zahlung = Beschriftung(w, QStringLiteral("&Zahlung Einrichtungsgebühr"), L, 275, 170);
    RB_einmalig = Knopf(w, QStringLiteral("sofort"), LI, 274, 70);
    RB_verteilt = Knopf(w, QStringLiteral("ratierlich"), LI + 75, 274, 90);
    lbl_Zahlung->SetFocusControl(RB_einmalig);
    lbl_Uebertragungsdauer = Beschriftung(w, QStringLiteral("Übertragungsdauer"), L, 275, 170);
    RB_12 = Knopf(w, QStringLiteral("12"), LI, 274, 45);
    RB_24 = Knopf(w, QStringLiteral("24"), LI + 48, 274, 45);
    RB_36 = Knopf(w, QStringLiteral("36"), LI + 96, 274, 45);
    lbl_Monate = Textzeile(w, QStringLiteral("Monate"), LI + 146, 275, 60);
    // Only a Systemeinmalanlage shows the transfer row in this place.
    for (QWidget* c :
         std::initializer_list<QWidget*>{lbl_Uebertragungsdauer, RB_12, RB_24, RB_36, lbl_Monate})
        c->hide();

    edt_Anlagebetrag = Zahlfeld(w, LI, 298, 110, 2);
    edt_Anlagebetrag->SetValueMin(1);
    edt_Anlagebetrag->SetValueMax(10000000);
    edt_Anlagebetrag->SetValue(200);
    LB_Anlagebetrag =
        Beschriftung(w, QStringLiteral("Monats&betrag Aufbauplan"), L, 301, 170, edt_Anlagebetrag);
    edt_Laufzeit = Zahlfeld(w, LI, 322, 80, 0);
    edt_Laufzeit->SetValueMin(1);
    edt_Laufzeit->SetValueMax(HoechsteLaufzeit);
    Beschriftung(w, QStringLiteral("An&lagedauer"), L, 325, 170, edt_Laufzeit);
    edt_Einzahlungsdauer = Zahlfeld(w, LI, 346, 80, 0);
    edt_Einzahlungsdauer->SetValueMin(1);
    edt_Einzahlungsdauer->SetValueMax(HoechsteLaufzeit);
    Beschriftung(w, QStringLiteral("Ein&zahlungsdauer"), L, 349, 170, edt_Einzahlungsdauer);
    cb_Dynamik = new TEditCheck(w);
    cb_Dynamik->setGeometry(LI, 371, 22, 18);
    lbl_Dynamik = Textzeile(w, QStringLiteral("5%"), LI + 24, 372, 40);
    lbl_Dynamik->setEnabled(false);
    lbl_DynamikCaption = Beschriftung(w, QStringLiteral("&Dynamik"), L, 372, 170, cb_Dynamik);

    // Right column.
    Kopfzeile(w, QStringLiteral("  Für Sie gelesen / Für Sie verlinkt"), 416, 8, 388);
    auto link = [w](const QString& caption, int y) {
        auto* l = new TURLLabel(caption, w);
        QFont f = ArialPx(12);
        f.setUnderline(true);
        l->setFont(f);
        l->setGeometry(R, y, l->sizeHint().width(), 16);
        return l;
    };
    URLLabel1 = link(QStringLiteral("Wertentwicklung der gewählten Anlagestrategie"), 33);
    URLLabel2 = link(QStringLiteral("Verkaufsdokumentation von VALMERA 47"), 53);
    URLLabel3 =
        link(QStringLiteral("Fondsgebundene Rentenversicherung mit Lücken (FAZ / 30.5.2006)"), 73);
    // Its fixed width reaches past the window's edge; only empty label space
    // is cut there.
    URLLabel3->setFixedWidth(401);
    URLLabel3->hide(); // shown from access level 3 on
    Kopfzeile(w, QStringLiteral("  Angaben zur Entnahmephase"), 416, 104, 388);
    RB_Depot_F_Ausz = Knopf(w, QStringLiteral("Strategiedepot F"), R, 128, 125);
    RB_Depot_S_Ausz = Knopf(w, QStringLiteral("Strategiedepot S"), R + 127, 128, 125);
    RB_Depot_W_Ausz = Knopf(w, QStringLiteral("Strategiedepot W"), R + 254, 128, 125);
    RB_Depot_Z_Ausz = Knopf(w, QStringLiteral("Strategiedepot Z"), R + 254, 128, 125);
    RB_Depot_Z_Ausz->hide();
    edt_AuszBeginn = Zahlfeld(w, RI, 152, 80, 0);
    Grenzen(edt_AuszBeginn, 0, LetzterEntnahmebeginn);
    Beschriftung(w, QStringLiteral("Entnahme ab Alter"), R, 155, 160, edt_AuszBeginn);
    RB_T1 = Knopf(w, QStringLiteral("Lebenserwartung"), RI, 178, 210);
    RB_95 = Knopf(w, QStringLiteral("95 Jahre"), RI, 196, 210);
    RB_individuell = Knopf(w, QStringLiteral("individuell"), RI, 216, 95);
    edt_AuszEnde = Zahlfeld(w, RI + 98, 214, 80, 0);
    edt_AuszEnde->SetValueMax(HoechstesAlter);
    edt_AuszEnde->setEnabled(false);
    RB_ewig = Knopf(w, QStringLiteral("ohne Kapitalverzehr"), RI, 238, 210);
    Beschriftung(w, QStringLiteral("Entnahme bis Alter"), R, 179, 160);
    edt_Monatsrente = Zahlfeld(w, RI, 262, 110, 2);
    Grenzen(edt_Monatsrente, 0, 100000000);
    Beschriftung(w, QStringLiteral("Monatliche Entnahme"), R, 265, 160, edt_Monatsrente);
    // Wide enough for the largest capital an accumulation can bring (12
    // digits before the comma): greyed, the field cannot be scrolled.
    edt_Rentenkapital = Zahlfeld(w, RI, 286, 140, 2);
    Grenzen(edt_Rentenkapital, 0, 100000000);
    Beschriftung(w, QStringLiteral("Kapital bei Entnahmebeginn"), R, 289, 165, edt_Rentenkapital);
    CB_Kapital_aus_Einz = new TEditCheck(QStringLiteral("aus Einzahlungsphase bei"), w);
    CB_Kapital_aus_Einz->setFont(ArialPx(12));
    CB_Kapital_aus_Einz->setGeometry(R, 312, 165, 20);
    RB_Kapital_1 = Knopf(w, QStringLiteral("3 %"), RI, 313, 60);
    RB_Kapital_2 = Knopf(w, QStringLiteral("6 %"), RI + 62, 313, 60);
    RB_Kapital_3 = Knopf(w, QStringLiteral("9 %"), RI + 124, 313, 60);

    // Inputs that are never shown but carry record values, with their
    // labels; where they stand does not matter.
    edt_Zuzahlung_Betrag_1 = Zahlfeld(w, LI, 396, 80, 0);
    edt_Zuzahlung_Monat_1 = Zahlfeld(w, LI + 84, 396, 40, 0);
    edt_Zuzahlung_Betrag_2 = Zahlfeld(w, LI, 420, 80, 0);
    edt_Zuzahlung_Monat_2 = Zahlfeld(w, LI + 84, 420, 40, 0);
    edt_Zuzahlung_Monat_1->SetValueMax(12);
    edt_Zuzahlung_Monat_2->SetValueMax(12);
    lbl_Zuzahlungen =
        Beschriftung(w, QStringLiteral("&Zuzahlungen"), L, 399, 170, edt_Zuzahlung_Betrag_1);
    btn_Zuzahlungen = new QToolButton(w);
    btn_Zuzahlungen->setText(QStringLiteral("..."));
    btn_Zuzahlungen->setFont(ArialPx(12));
    btn_Zuzahlungen->setGeometry(LI + 128, 396, 24, 21);
    lbl_Erben = Beschriftung(w, QStringLiteral("Auszahlung an Erben"), R, 340, 160);
    RB_G0 = Knopf(w, QStringLiteral("nichts"), RI, 340, 200);
    RB_G5 = Knopf(w, QStringLiteral("Rentengarantie   5 Jahre"), RI, 358, 200);
    RB_G10 = Knopf(w, QStringLiteral("Rentengarantie 10 Jahre"), RI, 376, 200);
    RB_G15 = Knopf(w, QStringLiteral("Rentengarantie 15 Jahre"), RI, 394, 200);
    RB_G99 = Knopf(w, QStringLiteral("volles Restkapital"), RI, 412, 200);
    edt_Performance_5 = Zahlfeld(w, RI, 436, 80, 1);
    edt_Performance_5->SetValue(6);
    lbl_Performance_5 =
        Beschriftung(w, QStringLiteral("Perfor&mance p.a."), R, 439, 160, edt_Performance_5);
    edt_Dynamik = Zahlfeld(w, LI + 70, 370, 60, 1);
    edt_Dynamik->SetValueMax(20);
    btn_FRV_Vergleich = HausButton(w, QStringLiteral("Ergebnis mit FRV &Vergleich"), 0, 0, 180);
    btn_FRV_Vergleich->setEnabled(false);
    for (QWidget* h : std::initializer_list<QWidget*>{
             lbl_Zuzahlungen, btn_Zuzahlungen, edt_Zuzahlung_Betrag_1, edt_Zuzahlung_Betrag_2,
             edt_Zuzahlung_Monat_1, edt_Zuzahlung_Monat_2, lbl_Erben, RB_G0, RB_G5, RB_G10, RB_G15,
             RB_G99, lbl_Performance_5, edt_Performance_5, edt_Dynamik, btn_FRV_Vergleich})
        h->hide();

    GR_Geschlecht = new TRadioGroup(
        {{RB_maennlich, GeschlechtMaennlich}, {RB_weiblich, GeschlechtWeiblich}}, this);
    GR_Anlagestrategie = new TRadioGroup({{RB_Depot_F, StrategieF},
                                          {RB_Depot_S, StrategieS},
                                          {RB_Depot_W, StrategieW},
                                          {RB_Depot_Z, StrategieZ}},
                                         this);
    GR_Anlagestrategie_Entnahme = new TRadioGroup({{RB_Depot_F_Ausz, StrategieF},
                                                   {RB_Depot_S_Ausz, StrategieS},
                                                   {RB_Depot_W_Ausz, StrategieW},
                                                   {RB_Depot_Z_Ausz, StrategieZ}},
                                                  this);
    GR_Anlageart = new TRadioGroup({{RB_Aufbauplan, KindAufbauplan},
                                    {RB_Einmalanlage, KindEinmalanlage},
                                    {RB_SystemEinmalanlage, KindSystemEinmalanlage}},
                                   this);
    GR_Uebertragung = new TRadioGroup({{RB_12, 12}, {RB_24, 24}, {RB_36, 36}}, this);
    GR_Zahlung = new TRadioGroup({{RB_einmalig, AgioSofort}, {RB_verteilt, AgioRatierlich}}, this);
    GR_AuszEndeArt = new TRadioGroup({{RB_T1, EndeLebenserwartung},
                                      {RB_95, Ende95},
                                      {RB_individuell, EndeIndividuell},
                                      {RB_ewig, EndeOhneKapitalverzehr}},
                                     this);
    GR_Kapital = new TRadioGroup({{RB_Kapital_1, 2}, {RB_Kapital_2, 3}, {RB_Kapital_3, 4}}, this);
    GR_Rentengarantie =
        new TRadioGroup({{RB_G0, 1}, {RB_G5, 2}, {RB_G10, 3}, {RB_G15, 4}, {RB_G99, 5}}, this);

    // Design state.
    RB_Depot_W->setChecked(true);
    RB_Depot_W_Ausz->setChecked(true);
    RB_95->setChecked(true);

    // Bottom row.
    ExplorerButton1 = HausButton(w, QStringLiteral("&speichern und beenden"), 8, 708, 190);
    btn_Ergebnis = HausButton(w, QStringLiteral("Ergebnis / Ausdruck"),
                              ExplorerButton1->geometry().right() + 13, 708, 170);
    ExplorerButton3 = HausButton(w, QStringLiteral("E&instellungen"),
                                 btn_Ergebnis->geometry().right() + 13, 708, 150);
    btn_Ergebnis->setEnabled(false);
}

void Tfrm_perfmain::BaueErgebnis() {
    QWidget* w = FRahmen->Inhalt();
    FErgebnis = new TErgebnisAnzeige(w);

    // View buttons and the decorative pictures at the right edge.
    auto viewButton = [w](const QIcon& icon, int x, const QString& tip) {
        auto* b = new QToolButton(w);
        b->setGeometry(x, 398, 41, 41);
        b->setIcon(icon);
        b->setIconSize(QSize(33, 33));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(tip);
        return b;
    };
    SPB_Chart = viewButton(ChartButtonIcon(), 692, QStringLiteral("Chart"));
    SPB_Preview = viewButton(TableButtonIcon(), 746, QStringLiteral("Ergebnisvorschau"));
    Image1 = new QLabel(w);
    Image1->setGeometry(680, 450, 120, 105);
    Image1->setPixmap(DecorativePicture(1, Image1->size()));
    Image2 = new QLabel(w);
    Image2->setGeometry(680, 566, 120, 105);
    Image2->setPixmap(DecorativePicture(2, Image2->size()));
    // Large figures take the pictures' room.
    connect(FErgebnis, &TErgebnisAnzeige::erweitertGeaendert, this, [this](bool erweitert) {
        Image1->setVisible(!erweitert);
        Image2->setVisible(!erweitert);
    });
}

void Tfrm_perfmain::BenenneSteuerelemente() {
    // The product's names of the controls, for finding them from outside
    // (tests, tools); the controls themselves stay private.
    for (auto [w, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {edt_I_P_Nachname, "edt_I_P_Nachname"},
             {edt_I_P_Vorname, "edt_I_P_Vorname"},
             {edt_I_P_Eintrittsalter, "edt_I_P_Eintrittsalter"},
             {RB_maennlich, "RB_maennlich"},
             {RB_weiblich, "RB_weiblich"},
             {cmb_Geschlecht, "cmb_Geschlecht"},
             {RB_Depot_F, "RB_Depot_F"},
             {RB_Depot_S, "RB_Depot_S"},
             {RB_Depot_W, "RB_Depot_W"},
             {RB_Depot_Z, "RB_Depot_Z"},
             {RB_Aufbauplan, "RB_Aufbauplan"},
             {RB_Einmalanlage, "RB_Einmalanlage"},
             {RB_SystemEinmalanlage, "RB_SystemEinmalanlage"},
             {lbl_Uebertragungsdauer, "lbl_Uebertragungsdauer"},
             {RB_12, "RB_12"},
             {RB_24, "RB_24"},
             {RB_36, "RB_36"},
             {lbl_Monate, "lbl_Monate"},
             {lbl_Zahlung, "lbl_Zahlung"},
             {RB_einmalig, "RB_einmalig"},
             {RB_verteilt, "RB_verteilt"},
             {LB_Anlagebetrag, "LB_Anlagebetrag"},
             {edt_Anlagebetrag, "edt_Anlagebetrag"},
             {edt_Laufzeit, "edt_Laufzeit"},
             {edt_Einzahlungsdauer, "edt_Einzahlungsdauer"},
             {lbl_DynamikCaption, "lbl_DynamikCaption"},
             {cb_Dynamik, "cb_Dynamik"},
             {lbl_Dynamik, "lbl_Dynamik"},
             {RB_Depot_F_Ausz, "RB_Depot_F_Ausz"},
             {RB_Depot_S_Ausz, "RB_Depot_S_Ausz"},
             {RB_Depot_W_Ausz, "RB_Depot_W_Ausz"},
             {RB_Depot_Z_Ausz, "RB_Depot_Z_Ausz"},
             {edt_AuszBeginn, "edt_AuszBeginn"},
             {RB_T1, "RB_T1"},
             {RB_95, "RB_95"},
             {RB_individuell, "RB_individuell"},
             {RB_ewig, "RB_ewig"},
             {edt_AuszEnde, "edt_AuszEnde"},
             {edt_Monatsrente, "edt_Monatsrente"},
             {edt_Rentenkapital, "edt_Rentenkapital"},
             {CB_Kapital_aus_Einz, "CB_Kapital_aus_Einz"},
             {RB_Kapital_1, "RB_Kapital_1"},
             {RB_Kapital_2, "RB_Kapital_2"},
             {RB_Kapital_3, "RB_Kapital_3"},
             {lbl_Zuzahlungen, "lbl_Zuzahlungen"},
             {btn_Zuzahlungen, "btn_Zuzahlungen"},
             {edt_Zuzahlung_Betrag_1, "edt_Zuzahlung_Betrag_1"},
             {edt_Zuzahlung_Betrag_2, "edt_Zuzahlung_Betrag_2"},
             {edt_Zuzahlung_Monat_1, "edt_Zuzahlung_Monat_1"},
             {edt_Zuzahlung_Monat_2, "edt_Zuzahlung_Monat_2"},
             {lbl_Erben, "lbl_Erben"},
             {RB_G0, "RB_G0"},
             {RB_G5, "RB_G5"},
             {RB_G10, "RB_G10"},
             {RB_G15, "RB_G15"},
             {RB_G99, "RB_G99"},
             {lbl_Performance_5, "lbl_Performance_5"},
             {edt_Performance_5, "edt_Performance_5"},
             {edt_Dynamik, "edt_Dynamik"},
             {btn_FRV_Vergleich, "btn_FRV_Vergleich"},
             {URLLabel1, "URLLabel1"},
             {URLLabel2, "URLLabel2"},
             {URLLabel3, "URLLabel3"},
             {SPB_Chart, "SPB_Chart"},
             {SPB_Preview, "SPB_Preview"},
             {Image1, "Image1"},
             {Image2, "Image2"},
             {ExplorerButton1, "ExplorerButton1"},
             {btn_Ergebnis, "btn_Ergebnis"},
             {ExplorerButton3, "ExplorerButton3"}})
        w->setObjectName(QString::fromLatin1(name));
}

void Tfrm_perfmain::VerbindeHandler() {
    auto onChecked = [this](QRadioButton* b, void (Tfrm_perfmain::*handler)()) {
        connect(b, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                Slot([this, handler] { (this->*handler)(); });
        });
    };
    auto onModified = [this](TEditFloat* f, void (Tfrm_perfmain::*handler)()) {
        connect(f, &TCustomUserEdit::modified, this,
                [this, handler] { Slot([this, handler] { (this->*handler)(); }); });
    };

    onModified(edt_I_P_Eintrittsalter, &Tfrm_perfmain::SpeichernUndRechnen);
    onChecked(RB_maennlich, &Tfrm_perfmain::cmb_GeschlechtModified);
    onChecked(RB_weiblich, &Tfrm_perfmain::cmb_GeschlechtModified);
    connect(cmb_Geschlecht, &TEditCombo::modified, this,
            [this] { Slot([this] { cmb_GeschlechtModified(); }); });
    for (QRadioButton* b :
         {RB_Depot_F, RB_Depot_F_Ausz, RB_T1, RB_Depot_S, RB_Depot_S_Ausz, RB_Depot_W,
          RB_Depot_W_Ausz, RB_95, RB_Depot_Z, RB_Depot_Z_Ausz, RB_ewig})
        onChecked(b, &Tfrm_perfmain::RB_T1Click);
    onChecked(RB_individuell, &Tfrm_perfmain::RB_individuellClick);
    for (QRadioButton* b :
         {RB_Aufbauplan, RB_Einmalanlage, RB_SystemEinmalanlage, RB_12, RB_24, RB_36})
        onChecked(b, &Tfrm_perfmain::RB_AufbauplanClick);
    onChecked(RB_einmalig, &Tfrm_perfmain::RB_einmaligClick);
    onChecked(RB_verteilt, &Tfrm_perfmain::RB_verteiltClick);
    onModified(edt_Anlagebetrag, &Tfrm_perfmain::edt_AnlagebetragModified);
    for (TEditFloat* f : {edt_Laufzeit, edt_AuszBeginn, edt_Monatsrente, edt_Rentenkapital})
        onModified(f, &Tfrm_perfmain::edt_LaufzeitModified);
    onModified(edt_Einzahlungsdauer, &Tfrm_perfmain::edt_EinzahlungsdauerModified);
    connect(edt_Einzahlungsdauer, &TCustomUserEdit::entered, this,
            [this] { Slot([this] { edt_EinzahlungsdauerModified(); }); });
    onModified(edt_AuszEnde, &Tfrm_perfmain::SpeichernUndRechnen);
    connect(cb_Dynamik, &TEditCheck::toggled, this,
            [this] { Slot([this] { cb_DynamikClick(); }); });
    connect(CB_Kapital_aus_Einz, &TEditCheck::toggled, this,
            [this] { Slot([this] { CB_Kapital_aus_EinzClick(); }); });
    for (QRadioButton* b : {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3})
        onChecked(b, &Tfrm_perfmain::SpeichernUndRechnen);
    connect(FErgebnis, &TErgebnisAnzeige::grafikGewaehlt, this,
            [this] { Slot([this] { SpeichernUndRechnen(); }); });
    connect(ExplorerButton1, &TExplorerButton::clicked, this, &Tfrm_perfmain::ExplorerButton1Click);
    connect(ExplorerButton3, &TExplorerButton::clicked, this,
            [this] { Slot([this] { ExplorerButton3Click(); }); });
    connect(btn_Ergebnis, &TExplorerButton::clicked, this,
            [this] { Slot([this] { btn_ErgebnisClick(); }); });
    for (TExplorerButton* b : {ExplorerButton1, btn_Ergebnis, ExplorerButton3, btn_FRV_Vergleich})
        connect(b, &TExplorerButton::focusReceived, b,
                [b] { b->SetFocusPenColor(b->FontColor()); });
    connect(SPB_Chart, &QToolButton::clicked, this, [this] { SPB_ChartClick(); });
    connect(URLLabel1, &TURLLabel::clicked, this, [this] { Slot([this] { URLLabel1Click(); }); });
    connect(URLLabel2, &TURLLabel::clicked, this, [this] { Slot([this] { URLLabel2Click(); }); });
    connect(URLLabel3, &TURLLabel::clicked, this, [this] { Slot([this] { URLLabel3Click(); }); });
    for (TURLLabel* link : {URLLabel1, URLLabel2, URLLabel3})
        connect(link, &TURLLabel::mouseMoved, this, [this] { URLLabel1MouseMove(); });
    // Moves over the window's own surface reach FormMouseMove; the client
    // area below the menu bar is that surface, the result area's own included.
    setMouseTracking(true);
    connect(FRahmen, &TFensterRahmen::mausUeberInhalt, this, [this](QWidget* darunter) {
        if (!darunter || darunter == FErgebnis)
            FormMouseMove();
    });
    connect(SPB_Preview, &QToolButton::clicked, this, [this] { SPB_PreviewClick(); });
    connect(FErgebnis, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit ergebnisKontextmenue(FErgebnis->mapToGlobal(pos)); });

    // The access lock asks for the window's cycle; the keys that lead there
    // run outside any handler (FormKeyDown).
    connect(FZugriff, &TZugriffssperre::stufeGeoeffnet, this, [this] { Zugriffsanzeige(); });
    connect(FZugriff, &TZugriffssperre::speichernRechnenSpeichern, this,
            [this] { SpeichernRechnenSpeichern(); });
}

} // namespace orvanta
