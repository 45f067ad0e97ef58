#include "dialogs/tpassworddlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace orvanta {

TPasswordDlg::TPasswordDlg(QWidget* parent)
    : QDialog(parent,
              // A plain border: no system menu, no minimise, maximise or close box.
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("PasswordDlg");
    setWindowTitle("Passworteingabe");
    setFixedSize(236, 93);
    QFont f("MS Sans Serif");
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);

    Label1 = new QLabel("Passwort eingeben:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 9, 220, 16);

    Password = new TPasswordEdit(this);
    Password->setObjectName("Password");
    Password->setGeometry(8, 27, 220, 21);
    Password->setStyleSheet("lineedit-password-character: 42;"); // "*"
    Label1->setBuddy(Password);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(62, 59, 75, 25);
    OKBtn->setDefault(true);

    CancelBtn = new QPushButton("Abbrechen", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(143, 59, 75, 25);
    CancelBtn->setAutoDefault(false);

    // Standard buttons of 75 pixels, wider where the font needs it for the
    // caption; the right edge stays in place.
    const int breite = qMax(75, qMax(OKBtn->sizeHint().width(), CancelBtn->sizeHint().width()));
    CancelBtn->setGeometry(218 - breite, 59, breite, 25);
    OKBtn->setGeometry(CancelBtn->x() - 6 - breite, 59, breite, 25);

    setTabOrder(Password, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    connect(OKBtn, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TPasswordDlg::~TPasswordDlg() {
    Vergessen();
}

void TPasswordDlg::SetzePasswoerter(TPasswoerter&& passwoerter) {
    if (!FOhneAbzug)
        FOhneAbzug.emplace();
    for (std::size_t k = 0; k < FPasswoerter.size(); ++k) {
        Ueberschreiben(FPasswoerter[k]);
        FPasswoerter[k].reserve(passwoerter[k].size());
        FPasswoerter[k].assign(passwoerter[k]);
        Ueberschreiben(passwoerter[k]);
    }
}

bool TPasswordDlg::Passwortschritt(TPlanRecord& rec) {
    SetzePasswoerter(KlartextPasswoerter(rec));
    Password->Leeren();
    if (exec() != QDialog::Accepted || FStufe < 1)
        return false;
    rec.Zugriffsstufe = FStufe;
    return true;
}

void TPasswordDlg::showEvent(QShowEvent* event) {
    FStufe = 0;
    Password->setFocus();
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    QDialog::showEvent(event);
}

void TPasswordDlg::OKBtnClick() {
    FStufe = ZugangsstufeUtf16(Password->Eingabe(), FPasswoerter);
    if (FStufe > 0)
        accept();
    else
        reject();
}

void TPasswordDlg::done(int r) {
    // The plain passwords and the entry are needed only while the dialog is
    // open; the caller hands them in again for every showing.
    Vergessen();
    QDialog::done(r);
}

void TPasswordDlg::Vergessen() {
    for (std::string& pw : FPasswoerter)
        Ueberschreiben(pw);
    if (Password)
        Password->Leeren();
    FOhneAbzug.reset();
}

} // namespace orvanta
