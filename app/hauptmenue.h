#pragma once
// The main window's menu bar: "Datei" with the plan file commands, the CSV
// table, the print options and the end, and "Hilfe" with the keyboard
// shortcuts and what is in use. The titles carry no accelerator letter, so
// that every Alt+letter of the window keeps its meaning.

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

namespace orvanta {

class TPlanDateiBefehle;
class Tfrm_perfmain;

// The list of recently opened plans with datei in front: each file once,
// at most hoechstens entries.
QStringList ZuletztGeoeffnet(const QStringList& liste, const QString& datei, int hoechstens = 8);

class THauptmenue : public QObject {
    Q_OBJECT
public:
    // vorlagenOrdner: where the delivered Orvan.Dat lies, the template of a new plan.
    THauptmenue(Tfrm_perfmain* fenster, TPlanDateiBefehle* befehle, const QString& vorlagenOrdner);

    // Puts a plan in front of the recently opened ones (kept in the settings).
    static void Merken(const QString& datei);
    static QStringList Zuletzt();

    // The texts of "Hilfe".
    static QString TastenkuerzelText();
    QString UeberText() const;

    // "Neuer Plan …" without its dialog: the delivered defaults into a new
    // file, which the window then works on. An existing file is left alone.
    void NeuerPlan(const QString& datei);

private:
    void NeuerPlanWaehlen();
    void ZuletztFuellen();
    void ErgebnisAusdruck();
    Tfrm_perfmain* FFenster;
    TPlanDateiBefehle* FBefehle;
    QString FVorlagenOrdner;
    QMenu* FZuletzt = nullptr;
    QAction* FErgebnis = nullptr;
};

} // namespace orvanta
