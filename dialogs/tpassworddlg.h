#pragma once
// The password dialog of the access lock. Its caller hands it the three plain
// passwords; OK closes it as accepted only when the entry unlocks a level, and
// the dialog keeps that level until it is shown again. A wrong entry closes it
// like "Abbrechen", without a message.

#include "core/planrecord.h"
#include "core/speicherschutz.h"
#include "core/zugriff.h"

#include <QDialog>

#include <optional>

#include "dialogs/tpasswordedit.h"

class QLabel;
class QPushButton;

namespace orvanta {

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget* parent = nullptr);
    ~TPasswordDlg() override;

    // The plain passwords of levels 1, 2, 3 (Windows-1252 bytes). They are
    // taken over and overwritten where they were; while the dialog holds
    // them the process writes no core dump.
    void SetzePasswoerter(TPasswoerter&& passwoerter);

    // The level the last OK unlocked: 1..3, or 0 after a wrong entry, a
    // cancel, or while the dialog is shown.
    int Stufe() const { return FStufe; }

    // The password step of the access keys: the passwords of rec unscrambled
    // into the dialog, an empty entry field, the dialog shown modally. When
    // the entry is accepted rec.Zugriffsstufe takes the unlocked level and the
    // result is true; the caller then refreshes what depends on the level.
    // A wrong entry or a cancel leaves rec unchanged and gives false.
    bool Passwortschritt(TPlanRecord& rec);

public slots:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OKBtnClick();

private:
    void Vergessen();

    QLabel* Label1 = nullptr;
    TPasswordEdit* Password = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    TPasswoerter FPasswoerter;
    std::optional<TOhneSpeicherabzug> FOhneAbzug;
    int FStufe = 0;
};

} // namespace orvanta
