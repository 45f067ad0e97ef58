#pragma once
// The program's windows, created once in the fixed start-up order and alive
// until the program ends. Each dialog is the Qt child of the window that
// opens it, so the main window owns them all; the report pages live in the
// report set, which reads the main window's calculation object.

#include <QString>

#include <memory>

namespace orvanta {

class THauptmenue;
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
    // Declared after the main window, so that it goes first.
    std::unique_ptr<reports::TReportSet> Berichte;
    // Owned by the window that opens them.
    Tfrm_perfEinst* frm_perfEinst = nullptr;
    Tfrm_perfProvision* frm_perfProvision = nullptr;
    Tfrm_perfProvPar* frm_perfProvPar = nullptr;
    TPasswordDlg* PasswordDlg = nullptr;
    Tfrm_DruckPar* frm_DruckPar = nullptr;
    TPlanDateiBefehle* PlanDateiBefehle = nullptr;
    THauptmenue* Hauptmenue = nullptr;
};

} // namespace orvanta
