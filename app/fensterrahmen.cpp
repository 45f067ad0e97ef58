#include "app/fensterrahmen.h"

#include "app/fensterplatz.h"

#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

QSettings einstellungen() {
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("Orvanta"));
}

} // namespace

TFensterRahmen::TFensterRahmen(QWidget* fenster, QSize client)
    : QObject(fenster), FFenster(fenster) {
    auto* layout = new QVBoxLayout(fenster);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FMenue = new QMenuBar(fenster);
    FMenue->setObjectName(QStringLiteral("Menueleiste"));
    // In the window on every desktop, where the adviser looks for it.
    FMenue->setNativeMenuBar(false);
    layout->setMenuBar(FMenue);
    FBereich = new QScrollArea(fenster);
    FBereich->setObjectName(QStringLiteral("Fensterbereich"));
    FBereich->setFrameShape(QFrame::NoFrame);
    FBereich->setFocusPolicy(Qt::NoFocus);
    FBereich->setWidgetResizable(false);
    FBereich->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FBereich->setBackgroundRole(QPalette::Window);
    FInhalt = new QWidget;
    FInhalt->setObjectName(QStringLiteral("Fensterinhalt"));
    FInhalt->setFixedSize(client);
    FInhalt->setAutoFillBackground(true);
    FBereich->setWidget(FInhalt);
    // Moves over the client area reach the window's cursor handling.
    FInhalt->setMouseTracking(true);
    FInhalt->installEventFilter(this);
    layout->addWidget(FBereich);
    GroesseBegrenzen();
    fenster->resize(Entwurf());
    fenster->installEventFilter(this);
    // Keyboard work on a small screen: the control that gets the focus is
    // scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* jetzt) {
        // The whole control, not only its text cursor.
        if (jetzt && FInhalt->isAncestorOf(jetzt)) {
            const QPoint mitte = jetzt->mapTo(FInhalt, jetzt->rect().center());
            FBereich->ensureVisible(mitte.x(), mitte.y(), jetzt->width() / 2 + 8,
                                    jetzt->height() / 2 + 8);
        }
    });
}

QSize TFensterRahmen::Entwurf() const {
    return {FInhalt->width(), FInhalt->height() + FMenue->sizeHint().height()};
}

bool TFensterRahmen::FreieFlaeche(const QWidget* w) const {
    return w == FInhalt || w == FBereich || w == FBereich->viewport();
}

QString TFensterRahmen::PlatzSchluessel() {
    return QStringLiteral("Hauptfenster/Position");
}

int TFensterRahmen::Leiste() const {
    // Two pixels more: scaled, the window's size is rounded to device pixels.
    return std::max(FBereich->verticalScrollBar()->sizeHint().width(),
                    FBereich->horizontalScrollBar()->sizeHint().height()) +
           2;
}

void TFensterRahmen::GroesseBegrenzen() {
    // Never larger than designed (with the scroll bars a smaller size
    // showed): the layout does not grow.
    FFenster->setMinimumSize(160, 120);
    FFenster->setMaximumSize(Entwurf() + QSize(Leiste(), Leiste()));
}

void TFensterRahmen::Einpassen() {
    GroesseBegrenzen();
    QList<QRect> verfuegbar;
    int haupt = 0;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* s : screens) {
        if (s == QGuiApplication::primaryScreen())
            haupt = static_cast<int>(verfuegbar.size());
        verfuegbar << s->availableGeometry();
    }
    // Before the first show the frame is not known yet: a title bar of
    // 30 device pixels and borders of 4 are assumed, and checked once shown.
    const QRect aussen = FFenster->frameGeometry();
    const QRect innen = FFenster->geometry();
    QMargins rahmen(innen.left() - aussen.left(), innen.top() - aussen.top(),
                    aussen.right() - innen.right(), aussen.bottom() - innen.bottom());
    FNachpruefen = rahmen.isNull() && !FFenster->isVisible();
    if (FNachpruefen) {
        const double dpr = std::max(1.0, FFenster->devicePixelRatioF());
        const int rand = static_cast<int>(std::ceil(4 / dpr));
        rahmen = QMargins(rand, static_cast<int>(std::ceil(30 / dpr)), rand, rand);
    }
    std::optional<QPoint> gemerkt;
    const QVariant wert = einstellungen().value(PlatzSchluessel());
    if (wert.canConvert<QPoint>() && wert.isValid())
        gemerkt = wert.toPoint();
    const TFensterplatz platz =
        Fensterplatz(Entwurf(), rahmen, verfuegbar, haupt, gemerkt, Leiste());
    FFenster->setGeometry(platz.Innen);
}

bool TFensterRahmen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FInhalt && event->type() == QEvent::MouseMove)
        emit mausUeberInhalt(
            FInhalt->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    if (watched == FFenster) {
        switch (event->type()) {
        case QEvent::Show:
            if (FNachpruefen) {
                // The window manager's real frame: placed once more where the
                // estimate left the title bar or an edge off the free area.
                QTimer::singleShot(0, this, [this] {
                    FNachpruefen = false;
                    const QScreen* s = FFenster->screen();
                    if (s && !s->availableGeometry().contains(FFenster->frameGeometry()))
                        Einpassen();
                });
            }
            break;
        case QEvent::Hide:
            if (!event->spontaneous())
                einstellungen().setValue(PlatzSchluessel(), FFenster->frameGeometry().topLeft());
            break;
        case QEvent::LayoutRequest:
            GroesseBegrenzen();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvanta
