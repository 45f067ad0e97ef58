#include "app/fensterplatz.h"

#include <algorithm>

namespace orvanta {

namespace {

// Whether enough of the title bar lies on the area to take hold of it.
bool titelleisteAuf(const QRect& bereich, QPoint rahmenEcke, int breite, QMargins rahmen) {
    const QRect titel(rahmenEcke, QSize(breite, std::max(rahmen.top(), 8)));
    const QRect sichtbar = titel.intersected(bereich);
    return sichtbar.height() >= titel.height() && sichtbar.width() >= std::min(breite, 100);
}

} // namespace

TFensterplatz Fensterplatz(QSize entwurf, QMargins rahmen, const QList<QRect>& verfuegbar,
                           int haupt, std::optional<QPoint> gemerkt, int leiste) {
    TFensterplatz platz;
    if (verfuegbar.isEmpty()) {
        platz.Innen = QRect(QPoint(rahmen.left(), rahmen.top()), entwurf);
        return platz;
    }
    const QRect aussenEntwurf = QRect(QPoint(0, 0), entwurf).marginsAdded(rahmen);
    int bildschirm = std::clamp(haupt, 0, static_cast<int>(verfuegbar.size()) - 1);
    if (gemerkt) {
        for (int i = 0; i < verfuegbar.size(); ++i)
            if (titelleisteAuf(verfuegbar[i], *gemerkt, aussenEntwurf.width(), rahmen)) {
                bildschirm = i;
                break;
            }
    }
    const QRect bereich = verfuegbar[bildschirm];
    // A scroll bar in one direction takes room from the other.
    const int breiteFrei = bereich.width() - rahmen.left() - rahmen.right();
    const int hoeheFrei = bereich.height() - rahmen.top() - rahmen.bottom();
    bool senkrecht = entwurf.height() > hoeheFrei;
    bool waagrecht = entwurf.width() + (senkrecht ? leiste : 0) > breiteFrei;
    if (!senkrecht && waagrecht && entwurf.height() + leiste > hoeheFrei)
        senkrecht = true;
    const QSize innen(
        std::max(1, std::min(entwurf.width() + (senkrecht ? leiste : 0), breiteFrei)),
        std::max(1, std::min(entwurf.height() + (waagrecht ? leiste : 0), hoeheFrei)));
    platz.Rollen = senkrecht || waagrecht;
    QRect aussen = QRect(QPoint(0, 0), innen).marginsAdded(rahmen);
    if (gemerkt && titelleisteAuf(bereich, *gemerkt, aussenEntwurf.width(), rahmen))
        aussen.moveTopLeft(*gemerkt);
    else
        aussen.moveCenter(bereich.center());
    // Inside the free area, the title bar first where the frame is larger.
    aussen.moveLeft(
        std::max(bereich.left(), std::min(aussen.left(), bereich.right() + 1 - aussen.width())));
    aussen.moveTop(
        std::max(bereich.top(), std::min(aussen.top(), bereich.bottom() + 1 - aussen.height())));
    platz.Innen = aussen.marginsRemoved(rahmen);
    return platz;
}

} // namespace orvanta
