#pragma once
// Where the main window opens and how large: its designed size wherever the
// screen's free area holds it, else as much as that area holds, with the
// content scrolling. A pure function of the screens, so that every screen
// size and scaling can be tried without one.

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace orvanta {

struct TFensterplatz {
    QRect Innen;         // the window without its frame, as setGeometry takes it
    bool Rollen = false; // smaller than designed: the content scrolls
};

// entwurf: the window's designed inner size (menu bar and client area);
// rahmen: the frame the window manager adds (title bar and borders);
// verfuegbar: the free area of every screen (without panels), in the
// logical pixels the window is placed in; haupt: the index of the primary
// screen; gemerkt: the frame's top left corner at the last end, if known.
// leiste: the width of a scroll bar, which a scrolling window adds.
// A remembered place counts only while its title bar lies on a screen;
// the window then stays on that screen, pushed inside its free area.
TFensterplatz Fensterplatz(QSize entwurf, QMargins rahmen, const QList<QRect>& verfuegbar,
                           int haupt, std::optional<QPoint> gemerkt, int leiste);

} // namespace orvanta
