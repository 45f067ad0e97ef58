#pragma once
// The main window's frame around its designed client area: the menu bar
// above it and a scroll area that shows the client area whole wherever the
// screen holds the designed size and scrolls it where it does not (the
// focused control is scrolled into view). The client area keeps its
// designed size and the places of its controls.

#include <QObject>
#include <QSize>

class QMenuBar;
class QScrollArea;
class QWidget;

namespace orvanta {

class TFensterRahmen : public QObject {
    Q_OBJECT
public:
    // Builds menu bar, scroll area and client area (of the designed size) on
    // the window, which must have no layout yet.
    TFensterRahmen(QWidget* fenster, QSize client);

    QMenuBar* Menueleiste() const { return FMenue; }
    QWidget* Inhalt() const { return FInhalt; }
    // The designed inner size: menu bar and client area.
    QSize Entwurf() const;
    // Whether w is the window's free surface (client area or its viewport).
    bool FreieFlaeche(const QWidget* w) const;

    // Sets the window's size and place on the screens, from the place it had
    // at the last end when that lies on a visible screen.
    void Einpassen();

    // The settings key of the remembered place.
    static QString PlatzSchluessel();

signals:
    // The mouse moved over the client area; darunter is the control below it
    // (nullptr: the free surface).
    void mausUeberInhalt(QWidget* darunter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GroesseBegrenzen();
    int Leiste() const; // the width of a scroll bar
    QWidget* FFenster;
    QMenuBar* FMenue;
    QScrollArea* FBereich;
    QWidget* FInhalt;
    bool FNachpruefen = false; // placed with an estimated frame
};

} // namespace orvanta
