#pragma once
// The access lock of the main window: the keys Alt+P, Alt+F, Alt+V and Alt+R,
// the password step, the commission view and the hidden print functions they
// open, and what is shown at which access level. The level is the plan
// record's Zugriffsstufe (0: locked); the lock raises it, every load closes
// it again. It guards the window only (README, "What the access lock
// protects").

#include <QObject>
#include <QPointer>

namespace orvanta {

class TExplorerButton;
class TPasswordDlg;
class Tfrm_DruckPar;
class Tfrm_perfEinst;
class Tfrm_perfProvision;
class Tfrm_perfmain;
struct TFensterSatz;

namespace reports {
class TReportSet;
}

class TZugriffssperre : public QObject {
    Q_OBJECT
public:
    // fenster: the main window, whose record and FRV flag decide and which
    // opens the windows; link3: the link shown from level 3 on; farbvorlage:
    // the button whose font colour the commission view's focus frame takes.
    TZugriffssperre(Tfrm_perfmain& fenster, QWidget* link3, const TExplorerButton* farbvorlage);

    void SetzeFenster(const TFensterSatz& fenster);

    // Alt+P, Alt+F, Alt+V and Alt+R; true when it took the key. Other
    // modifiers held with Alt do not matter.
    bool PerfDlgKeyDown(int key, Qt::KeyboardModifiers shift);
    // Shows and hides what depends on the level and the FRV flag.
    void Zugriffsabhaengiges();

signals:
    // The password step opened a level: the window recalculates and shows
    // what the level opens (its Zugriffsanzeige).
    void stufeGeoeffnet();
    // Before a view of the figures opens: save, recalculate and save again,
    // in one handler of the window.
    void speichernRechnenSpeichern();

private:
    void Passwortschritt();
    void ProvisionZeigen();
    void Vergleichsdruck();
    void FRVUmschalten();

    Tfrm_perfmain& FFenster;
    QWidget* FLink3;
    const TExplorerButton* FFarbvorlage;
    QPointer<Tfrm_perfEinst> FEinst;
    QPointer<Tfrm_perfProvision> FProvision;
    QPointer<Tfrm_DruckPar> FDruckPar;
    QPointer<TPasswordDlg> FPasswordDlg;
    reports::TReportSet* FBerichte = nullptr;
};

} // namespace orvanta
