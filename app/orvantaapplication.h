#pragma once
// The application object with the default error handler: an error that ends
// an operation (file, conversion, range, arithmetic, a refused entry) reaches
// the event loop and is shown here in a modal message box; the program goes on.

#include <QApplication>
#include <QString>

namespace orvanta {

class TOrvantaApplication : public QApplication {
    Q_OBJECT
public:
    TOrvantaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Title of the application's message boxes.
    static QString Titel();
};

// The text as the error display shows it: a full stop is appended when the
// last character sorts after the full stop.
QString ErrorDisplayText(const QString& message);

// Shows message in a modal error box with the application's title.
void ShowErrorMessage(const QString& message);

} // namespace orvanta
