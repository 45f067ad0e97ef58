#include "app/application.h"

#include "app/orvantaapplication.h"
#include "app/programwindows.h"
#include "app/tfrm_perfmain.h"
#include "controls/regionalsettings.h"

#include <QScreen>

namespace orvanta {

int runApplication(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    applySystemFormatSettings();

    TProgrammFenster fenster(QCoreApplication::applicationDirPath());
    Tfrm_perfmain& main = *fenster.frm_perfmain;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = main.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        main.move(frame.topLeft());
    }
    // However the main window is closed, the program ends (the dialogs live on hidden).
    QObject::connect(&main, &QDialog::finished, &app, &QCoreApplication::quit);
    main.show();
    return app.exec();
}

} // namespace orvanta
