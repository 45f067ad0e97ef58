#pragma once
// Helpers of the main window tests: a temporary program directory with a
// known plan and the program's windows on it.

#include "app/programwindows.h"
#include "app/tfrm_perfmain.h"
#include "core/cp1252.h"
#include "core/planfile.h"
#include "core/planrecord.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/testplans.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

namespace orvanta::testing {

// The program directory in a temporary folder, with the windows on it.
class TTestProgramm {
public:
    explicit TTestProgramm(const TPlanRecord* plan) {
        const QString src = qEnvironmentVariable("ORVANTA_SOURCE_DIR");
        QFile::copy(src + QStringLiteral("/data/Sterbetafel_2004.csv"),
                    Dir.path() + QStringLiteral("/Sterbetafel_2004.csv"));
        if (plan)
            SavePlanRecord(*plan, DatenDatei().toStdString());
        Fenster = std::make_unique<TProgrammFenster>(Dir.path());
    }

    // Shows the main window and waits for its activation.
    bool Starten() {
        Main().show();
        Main().activateWindow();
        return QTest::qWaitForWindowActive(&Main());
    }

    Tfrm_perfmain& Main() { return *Fenster->frm_perfmain; }
    TPlanRecord& Rec() { return Main().Calc().Rec; }
    QString DatenDatei() const { return Dir.path() + QStringLiteral("/Orvan.Dat"); }
    bool DateiDa() const { return QFile::exists(DatenDatei()); }

    // What the data file holds now.
    TPlanRecord Datei() const {
        TPlanRecord r;
        std::memset(&r, 0, sizeof r);
        ReadPlanRecordFile(r, DatenDatei().toStdString(), OpenFor::Reading);
        return r;
    }

    QTemporaryDir Dir;
    std::unique_ptr<TProgrammFenster> Fenster;
};

} // namespace orvanta::testing
