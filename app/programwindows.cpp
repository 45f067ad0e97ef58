#include "app/programwindows.h"

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
    frm_perfEinst = std::make_unique<Tfrm_perfEinst>();
    // The pages read the main window's calculation object; they come with
    // the model calculation, the first of them in the start-up order.
    Berichte = std::make_unique<reports::TReportSet>(frm_perfmain->Calc());
    frm_perfProvision = std::make_unique<Tfrm_perfProvision>();
    frm_perfProvPar = std::make_unique<Tfrm_perfProvPar>();
    PasswordDlg = std::make_unique<TPasswordDlg>();
    frm_DruckPar = std::make_unique<Tfrm_DruckPar>();
    frm_perfmain->SetFenster({frm_perfEinst.get(), frm_perfProvision.get(), frm_perfProvPar.get(),
                              frm_DruckPar.get(), PasswordDlg.get(), Berichte.get()});
    PlanDateiBefehle = new TPlanDateiBefehle(frm_perfmain.get());
}

TProgrammFenster::~TProgrammFenster() {
    // Dialogs and pages first: the main window only watches them.
    frm_DruckPar.reset();
    PasswordDlg.reset();
    frm_perfProvPar.reset();
    frm_perfProvision.reset();
    Berichte.reset();
    frm_perfEinst.reset();
    frm_perfmain.reset();
}

} // namespace orvanta
