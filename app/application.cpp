#include "app/application.h"

#include "app/fensterrahmen.h"
#include "app/hauptmenue.h"
#include "app/orvantaapplication.h"
#include "app/plandateibefehle.h"
#include "app/planfiles.h"
#include "app/programwindows.h"
#include "app/teinzigeinstanz.h"
#include "app/tfrm_perfmain.h"
#include "controls/errordisplay.h"
#include "controls/regionalsettings.h"

#include <QFileInfo>
#include <QPushButton>

#include <QMessageBox>
#include <QTimer>

namespace orvanta {

bool FehlendenPlanAnbieten(const QString& datei, const QString& vorlagenOrdner) {
    QMessageBox frage(QMessageBox::Question, TOrvantaApplication::Titel(),
                      QStringLiteral("Die Plandatei %1 gibt es nicht.\n\nSoll sie mit den "
                                     "Vorgaben eines neuen Plans angelegt werden?")
                          .arg(QuotedPath(datei)));
    QPushButton* anlegen =
        frage.addButton(QStringLiteral("Neuen Plan anlegen"), QMessageBox::AcceptRole);
    frage.addButton(QStringLiteral("Beenden"), QMessageBox::RejectRole);
    frage.setDefaultButton(anlegen);
    frage.exec();
    if (frage.clickedButton() != anlegen)
        return false;
    return RunAndReport([&] { LegePlanAn(datei, vorlagenOrdner); });
}

int runApplication(int argc, char** argv, const TProgrammStart& start) {
    TOrvantaApplication app(argc, argv);
    applySystemFormatSettings();

    const QString vorlagen =
        start.Ort.deliveredDir.isEmpty() ? start.Ort.dataDir : start.Ort.deliveredDir;
    if (!start.Datei.isEmpty() && !QFileInfo::exists(start.Datei) &&
        !FehlendenPlanAnbieten(start.Datei, vorlagen))
        return 0;

    TProgrammFenster fenster(start.Ort.dataDir, start.Ort.deliveredDir);
    Tfrm_perfmain& main = *fenster.frm_perfmain;
    if (!start.Datei.isEmpty())
        main.SetzeDatenDatei(start.Datei);

    // One window per data file: a second start says so and ends.
    TEinzigeInstanz instanz(main.DatenDatei());
    if (!instanz.Sperren())
        return 0;
    instanz.SetFenster(&main);
    fenster.PlanDateiBefehle->SetzeInstanz(&instanz);

    main.Rahmen().Einpassen();
    if (!start.Datei.isEmpty())
        THauptmenue::Merken(start.Datei);
    // However the main window is closed, the program ends (the dialogs live on hidden).
    QObject::connect(&main, &QDialog::finished, &app, &QCoreApplication::quit);
    main.show();
    // The load that follows names the missing file; this says why it is missing.
    if (!start.Meldung.isEmpty())
        QTimer::singleShot(0, &main, [&main, text = start.Meldung] {
            QMessageBox::warning(&main, TOrvantaApplication::Titel(), text);
        });
    if (!start.Hinweis.isEmpty())
        QTimer::singleShot(0, &main, [&main, text = start.Hinweis] {
            QMessageBox::information(&main, TOrvantaApplication::Titel(), text);
        });
    return app.exec();
}

} // namespace orvanta
