// The recalculation and the display of its results in the preview and chart.

#include "app/tfrm_perfmain.h"
#include "dialogs/recordfelder.h"

#include "app/panelrules.h"
#include "app/pictures.h"
#include "app/previewfit.h"
#include "app/radiogroup.h"
#include "app/resultchart.h"
#include "app/tperformcomboreflist.h"
#include "controls/housestyle.h"
#include "controls/oeffnen.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/cp1252.h"
#include "core/errors.h"
#include "core/formatsettings.h"
#include "core/frvdata.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"
#include "core/version.h"
#include "core/wertentwicklung.h"
#include "core/zugriff.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "dialogs/windowstyle.h"
#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLegend>
#include <QMouseEvent>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

namespace orvanta {

// ---------------------------------------------------------------------------
// Recalculation and display

void Tfrm_perfmain::Uebernahme() {
    if (UebernehmeRentenkapital(FCalc->Rec))
        edt_Rentenkapital->SetValue(FCalc->Rec.Rentenkapital);
}

void Tfrm_perfmain::NeuberechnungNow() {
    TPlanRecord& r = FCalc->Rec;
    Schreiben();    // the saved inputs reach the file first
    Uebernahme();   // 1
    if (FProvision) // 2 and 3: grid rows and columns, the note
        FProvision->RasterVorbereiten(r);
    FCalc->BerechneAufbauphase();   // 4
    Uebernahme();                   // 5
    FCalc->BerechneEntnahmephase(); // 6
    // The display step moved the start of withdrawals behind the end of the
    // accumulation: the withdrawal figures still assumed the old start. Saved
    // at once (not at start-up, which writes nothing) and calculated again.
    if (Anzeigen()) { // 7
        if (!FAktivierung)
            SaveDataNow();
        Schreiben();
        FCalc->BerechneEntnahmephase();
        Anzeigen();
    }
}

bool Tfrm_perfmain::Anzeigen() {
    TPlanRecord& r = FCalc->Rec;
    // FRV comparison values, looked up in the working directory.
    FFRV_verfuegbar = false;
    if (FRVLookupApplies(r)) {
        const bool gefunden =
            LadeFRVFuerPlan(r, FCalc->Aufbautabelle, QDir::currentPath().toStdString());
        FFRV_verfuegbar = gefunden && r.Zugriffsstufe >= 3;
    }

    bool angehoben = false;
    if (const auto chart = ChartData(*FCalc, FFRV_verfuegbar)) {
        Chart4->Anzeigen(*chart);
        RB_T1->setText(Utf8(LebenserwartungCaption(
            r.Eintrittsalter, FSterbetafel->Lebenserwartung(r.Eintrittsalter, r.Geschlecht))));
        if (RaiseAuszBeginn(r)) {
            angehoben = true;
            edt_AuszBeginn->SetValue(r.AuszBeginn);
            // Only for the fall-back to "individuell"; the duration is stored
            // with the next save.
            const std::int32_t dauer = r.AuszDauer;
            Entnahmedauer();
            r.AuszDauer = dauer;
        }
    }

    lbl_Wertentw->setText(Utf8(WertentwicklungCaption(r.Monatsrente, r.Rentenkapital)));
    lbl_Entnahme->setText(Utf8(EntnahmeCaption(r.Rentenkapital)));
    lbl_Kapital->setText(Utf8(KapitalCaption(r.Monatsrente)));
    for (QLabel* l : {lbl_Wertentw, lbl_Entnahme, lbl_Kapital})
        FitToWidth(*l, VorschauPx, VorschauMinPx);

    const TPreviewValues v = PreviewValues(*FCalc);
    Edt_Entnahme[0]->SetValue(v.Monatsrente);
    for (int k = 1; k < 4; ++k)
        Edt_Entnahme[k]->SetValue(Edt_Entnahme[0]->ValueAt(viValue));

    const bool sichtbar = PreviewWithdrawalRowsVisible(r.AuszEndeArt);
    edt_Ausz[0]->setVisible(sichtbar);
    edt_Kapital[0]->setVisible(sichtbar);
    lbl_Prozent[0]->setVisible(sichtbar);
    for (QLabel* l : {lbl_Entnahme2, lbl_Gesamt, lbl_EntnahmeSumme, lbl_RestKapital})
        l->setVisible(sichtbar);
    // The shading of rows 5 and 7 goes with them.
    FBaender[2]->setVisible(sichtbar);
    FBaender[3]->setVisible(sichtbar);
    for (int k = 0; k < 4; ++k)
        for (TEditFloat* f : {Edt_Entnahme[k], edt_RestK[k], edt_SumEntn[k], edt_Gesamt[k]})
            f->setVisible(sichtbar);

    edt_Summe_Monatsbeitraege->SetValue(v.Anlagesumme);
    for (int k = 0; k < 4; ++k) {
        edt_Ausz[k]->SetValue(v.Ausz[k]);
        edt_Kapital[k]->SetValue(v.Kapital[k]);
    }
    edt_Wertentw->SetValue(v.Wertentwicklung);
    // The record keeps 0 where no return carries the withdrawals; "0,00 %"
    // would read as "no return needed".
    if (!WertentwicklungErreichbar(r))
        edt_Wertentw->setText(QString::fromUtf8(WertentwicklungNichtErreichbar) + QLatin1Char(' '));
    for (int k = 0; k < 4; ++k) {
        edt_RestK[k]->SetValue(v.Anfangskapital[k]);
        edt_SumEntn[k]->SetValue(v.SummeEntnahmen[k]);
        edt_Gesamt[k]->SetValue(v.Restkapital[k]);
    }
    return angehoben;
}

} // namespace orvanta
