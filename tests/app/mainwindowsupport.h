#pragma once
// Helpers of the main window tests: a temporary program directory with a
// known plan, the program's windows on it, and answering modal boxes.

#include "app/programwindows.h"
#include "app/tfrm_perfmain.h"
#include "core/cp1252.h"
#include "core/planfile.h"
#include "core/planrecord.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace orvanta::testing {

// A plan as an adviser would have it: Aufbauplan of 200 € a month over 25
// years for a man of 40, a stored lump sum of 10 000 €, withdrawals from 65 to 95.
inline TPlanRecord BeispielPlan() {
    TPlanRecord r;
    std::memset(&r, 0, sizeof r);
    ShortStringFromUtf8(r.Nachname, "Müller");
    ShortStringFromUtf8(r.Vorname, "Hans");
    ShortStringFromUtf8(r.Version, "alt");
    r.Eintrittsalter = 40;
    r.Geschlecht = 1;
    r.Anlageart = 1;
    r.Sparbetrag = 200;
    r.Anlagebetrag = 10000;
    r.Laufzeit = 25;
    r.Einzahlungsdauer = 25;
    const double perf[6] = {0, 0, 3, 6, 9, 6};
    std::memcpy(r.Performance, perf, sizeof perf);
    r.Anlagestrategie = 3;
    r.Anlagestrategie_Entnahme = 3;
    r.AuszBeginn = 65;
    r.AuszEnde = 85;
    r.AuszEndeArt = 4;
    r.Monatsrente = 500;
    r.Rentenkapital = 100000;
    r.Kapital_Szenario = 3;
    r.MitEinrichtungsgebuehr = 1;
    r.Agio_Satz = 5;
    r.AgioZahlungsart = 1;
    r.Agio_Ratenzuschlag = 4;
    r.Zins_SystemEinmalanlage = 1.5;
    r.Grafik_Phase = 1;
    r.Grafik_Szenario = 3;
    r.Ansicht = 2;
    r.BP_Satz = 1;
    r.BP_Performance = 3;
    r.Rentengarantie = 1;
    r.FRV_Parameter = 1;
    r.Zugriffsstufe = 3; // the load closes the lock again
    ShortStringFromUtf8(r.Berater, "Anna Beraterin");
    return r;
}

// Answers the next modal window (message box or dialog) from inside its event
// loop. A window the action leaves open is closed after a while, so that a
// failing test reports instead of hanging.
inline void WennModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(5000, modal, [modal] {
            if (modal->isVisible()) {
                qWarning("modal window left open by the test; closing it");
                modal->close();
            }
        });
        action(modal);
    });
    poll->start();
}

// Answers the next message box with OK and keeps its text.
inline void MeldungBestaetigen(QString* text) {
    WennModal([text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            w->close();
            return;
        }
        if (text)
            *text = box->text();
        box->accept();
    });
}

// Answers every message box with OK while it lives and keeps their texts.
class TMeldungen {
public:
    TMeldungen() {
        FPoll.setInterval(0);
        QObject::connect(&FPoll, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            Texte << box->text();
            Titel << box->windowTitle();
            box->accept();
        });
        FPoll.start();
    }
    QStringList Texte;
    QStringList Titel;

private:
    QTimer FPoll;
};

// Answers the modal windows of one action in the order they appear; every
// further modal window is closed, so that an unexpected one is reported
// instead of blocking the test. Seen lists the class of each one.
class TModalFolge {
public:
    using TSchritt = std::function<void(QWidget*)>;
    static void Schliessen(QWidget* w) { w->close(); }
    explicit TModalFolge(std::vector<TSchritt> schritte = {}) : FSchritte(std::move(schritte)) {
        FPoll.setInterval(0);
        QObject::connect(&FPoll, &QTimer::timeout, [this] { Pruefen(); });
        FPoll.start();
    }
    QStringList Gesehen;

private:
    void Pruefen() {
        QWidget* modal = QApplication::activeModalWidget();
        // A window answered before counts again only once it has been closed:
        // a view that is active again after a dialog on top of it closed is
        // not a new one.
        FOffen.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
        if (!modal || !modal->isVisible() || FOffen.contains(modal))
            return;
        FOffen << modal;
        Gesehen << QString::fromLatin1(modal->metaObject()->className());
        // Run from a timer of its own: a step that opens the next modal
        // window must not block this poll, which answers that one too.
        TSchritt schritt = Schliessen;
        if (FNaechster < FSchritte.size())
            schritt = FSchritte[FNaechster++];
        QTimer::singleShot(0, modal, [schritt, modal] { schritt(modal); });
    }

    std::vector<TSchritt> FSchritte;
    std::size_t FNaechster = 0;
    QList<QPointer<QWidget>> FOffen;
    QTimer FPoll;
};

// Types text into a number or text field and commits it with Enter.
inline void Eingeben(QWidget* field, const QString& text) {
    // A closed message box may leave the window inactive on the test platform.
    if (!field->window()->isActiveWindow()) {
        field->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(field->window()));
    }
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

inline void Klicken(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
}

// The program directory in a temporary folder, with the windows on it.
class TTestProgramm {
public:
    // sterbetafel: the mortality table's content; the delivered one when empty.
    explicit TTestProgramm(const TPlanRecord* plan, const QByteArray& sterbetafel = {}) {
        const QString src = qEnvironmentVariable("ORVANTA_SOURCE_DIR");
        const QString tafel = Dir.path() + QStringLiteral("/Sterbetafel_2004.csv");
        if (sterbetafel.isEmpty()) {
            QFile::copy(src + QStringLiteral("/data/Sterbetafel_2004.csv"), tafel);
        } else {
            QFile f(tafel);
            if (f.open(QIODevice::WriteOnly))
                f.write(sterbetafel);
        }
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
