#include "app/programwindows.h"

#include "app/hauptmenue.h"
#include "app/plandateibefehle.h"
#include "app/tfrm_perfmain.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "reports/reportset.h"

namespace orvanta {

TProgrammFenster::TProgrammFenster(const QString& programDir, const QString& deliveredDir) {
    frm_perfmain = std::make_unique<Tfrm_perfmain>(programDir, nullptr, deliveredDir);
    Tfrm_perfmain* main = frm_perfmain.get();
    frm_perfEinst = new Tfrm_perfEinst(main);
    // The pages read the main window's calculation object; they come with
    // the model calculation, the first of them in the start-up order.
    Berichte = std::make_unique<reports::TReportSet>(main->Calc());
    frm_perfProvision = new Tfrm_perfProvision(main);
    // The commission settings open only from the commission view.
    frm_perfProvPar = new Tfrm_perfProvPar(frm_perfProvision);
    PasswordDlg = new TPasswordDlg(main);
    frm_DruckPar = new Tfrm_DruckPar(main);
    main->SetzeFenster({frm_perfEinst, frm_perfProvision, frm_perfProvPar, frm_DruckPar,
                        PasswordDlg, Berichte.get()});
    PlanDateiBefehle = new TPlanDateiBefehle(main);
    Hauptmenue =
        new THauptmenue(main, PlanDateiBefehle, deliveredDir.isEmpty() ? programDir : deliveredDir);
}

TProgrammFenster::~TProgrammFenster() = default;

} // namespace orvanta
