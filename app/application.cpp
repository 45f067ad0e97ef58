#include "app/application.h"

#include "app/orvantaapplication.h"
#include "app/plandateibefehle.h"
#include "app/programwindows.h"
#include "app/teinzigeinstanz.h"
#include "app/tfrm_perfmain.h"
#include "controls/regionalsettings.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace orvanta {

int runApplication(int argc, char** argv, const TProgrammStart& start) {
    TOrvantaApplication app(argc, argv);
    applySystemFormatSettings();

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

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = main.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        main.move(frame.topLeft());
    }
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
