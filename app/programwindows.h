#pragma once
// The program's windows, created once in the fixed start-up order and alive
// until the program ends. The report pages live in the report set, which is
// created where the first page comes in that order.

#include <QString>

#include <memory>

namespace orvanta {

class TPasswordDlg;
class TPlanDateiBefehle;
class Tfrm_DruckPar;
class Tfrm_perfEinst;
class Tfrm_perfProvPar;
class Tfrm_perfProvision;
class Tfrm_perfmain;

namespace reports {
class TReportSet;
}

struct TProgrammFenster {
    // programDir: where Orvan.Dat lies; deliveredDir: where the mortality
    // table lies, when not there as well.
    explicit TProgrammFenster(const QString& programDir, const QString& deliveredDir = QString());
    ~TProgrammFenster();

    std::unique_ptr<Tfrm_perfmain> frm_perfmain;
    std::unique_ptr<Tfrm_perfEinst> frm_perfEinst;
    std::unique_ptr<reports::TReportSet> Berichte;
    std::unique_ptr<Tfrm_perfProvision> frm_perfProvision;
    std::unique_ptr<Tfrm_perfProvPar> frm_perfProvPar;
    std::unique_ptr<TPasswordDlg> PasswordDlg;
    std::unique_ptr<Tfrm_DruckPar> frm_DruckPar;
    TPlanDateiBefehle* PlanDateiBefehle = nullptr; // owned by the main window
};

} // namespace orvanta
