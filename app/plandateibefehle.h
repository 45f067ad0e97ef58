#pragma once
// The main window's file commands: Ctrl+Shift+S "Plan speichern unter …",
// Ctrl+O "Plan öffnen …" and, in the context menu of the result area, "Tabelle
// als CSV speichern …". Owned by the main window.

#include <QObject>
#include <QPointer>
#include <QString>

namespace orvanta {

class TEinzigeInstanz;
class Tfrm_perfmain;

class TPlanDateiBefehle : public QObject {
    Q_OBJECT
public:
    explicit TPlanDateiBefehle(Tfrm_perfmain* fenster);

    // With a file dialog; cancelling does nothing.
    void PlanSpeichernUnter();
    void PlanOeffnen();
    void TabelleAlsCsvSpeichern();

    // The same without the dialog. Errors throw with the German texts of the
    // data file; the window then goes on with its current plan and file.
    void SpeichereUnter(const QString& datei);
    void Oeffne(const QString& datei);
    void SpeichereCsv(const QString& datei);

    // The data file's lock, which then moves along when the window switches
    // files; a file another window holds is refused. Without one (the tests
    // of the window alone) nothing is locked.
    void SetzeInstanz(TEinzigeInstanz* instanz);

    // Caption of the context menu's command.
    static QString CsvBefehl();

signals:
    // The window works on this plan file now (opened or saved under it).
    void planGewechselt(const QString& datei);

private:
    void Kontextmenue(const QPoint& globalPos);
    QString Ordner() const;
    Tfrm_perfmain* FFenster;
    QPointer<TEinzigeInstanz> FInstanz;
};

} // namespace orvanta
