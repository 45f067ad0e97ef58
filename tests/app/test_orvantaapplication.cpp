// The default error handler: whatever an operation throws ends that
// operation only. The adviser reads a German message and goes on working.

#include "app/orvantaapplication.h"
#include "core/errors.h"

#include "tests/support/modalanswerer.h"

#include <QtTest>

#include <new>
#include <stdexcept>

using namespace orvanta;

namespace {

// Throws what it is told to when it gets an event of type User; counts the
// events it handled without throwing.
class Werfer : public QObject {
public:
    std::function<void()> werfen;
    int behandelt = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (werfen) {
            auto w = std::move(werfen);
            werfen = nullptr;
            w();
        }
        ++behandelt;
        return true;
    }
};

} // namespace

class TestOrvantaApplication : public QObject {
    Q_OBJECT
private slots:
    void everyExceptionEndsOnlyItsOperation_data() {
        QTest::addColumn<int>("art");
        QTest::addColumn<QString>("text");
        QTest::newRow("memory") << 0 << "Nicht genügend Arbeitsspeicher.";
        QTest::newRow("table too long") << 1 << "Nicht genügend Arbeitsspeicher.";
        QTest::newRow("program's own error") << 2 << "Fehler bei Bereichsprüfung.";
        QTest::newRow("other std::exception") << 3 << "Interner Fehler: kaputt.";
        QTest::newRow("not even an exception") << 4 << "Interner Fehler.";
    }
    void everyExceptionEndsOnlyItsOperation() {
        QFETCH(int, art);
        QFETCH(QString, text);
        Werfer w;
        w.werfen = [art] {
            switch (art) {
            case 0:
                throw std::bad_alloc();
            case 1:
                throw std::length_error("vector::_M_default_append");
            case 2:
                throw ERangeError();
            case 3:
                throw std::runtime_error("kaputt");
            default:
                throw 42;
            }
        };
        testing::ModalAnswerer answerer;
        QEvent e(QEvent::User);
        QCoreApplication::sendEvent(&w, &e);
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().text, text);
        QCOMPARE(answerer.last().icon, QMessageBox::Critical);
        QCOMPARE(w.behandelt, 0);
        // The program goes on: the next event is handled as usual.
        QEvent next(QEvent::User);
        QCoreApplication::sendEvent(&w, &next);
        QCOMPARE(w.behandelt, 1);
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestOrvantaApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_orvantaapplication.moc"
