// The default error handler: whatever an operation throws ends that
// operation only. The adviser reads a German message and goes on working.
// Qt's own texts and formats are German on a system without regional
// settings (the C locale this test starts in), and taskbars learn the icon.

#include "app/orvantaapplication.h"
#include "core/errors.h"

#include "tests/support/modalanswerer.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
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
    void fileDialogIsGermanWithoutRegionalSettings_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("cell"); // a pattern
        QTest::newRow("size") << 1 << "Größe"
                              << "^4,71 KiB$";
        QTest::newRow("type") << 2 << "Typ"
                              << "^Einfaches Textdokument$";
        QTest::newRow("date") << 3 << "Änderungsdatum"
                              << "^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d$";
    }
    void fileDialogIsGermanWithoutRegionalSettings() {
        QFETCH(int, column);
        QFETCH(QString, header);
        QFETCH(QString, cell);
        // The programs opened from here still see the system as it is.
        QCOMPARE(qgetenv("LC_ALL"), QByteArray("C"));
        QTemporaryDir dir;
        QFile plan(dir.filePath(QStringLiteral("Kunde.Dat")));
        QVERIFY(plan.open(QIODevice::WriteOnly));
        plan.write(QByteArray(4823, 'a'));
        plan.close();

        QFileDialog dialog(nullptr, QStringLiteral("Plan öffnen"), dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        const QModelIndex root = model->index(dir.path());
        QTRY_COMPARE(model->rowCount(root), 1);
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), header);
        const QModelIndex index = model->index(0, column, root);
        QTRY_VERIFY2(QRegularExpression(cell).match(model->data(index).toString()).hasMatch(),
                     qPrintable(model->data(index).toString()));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons && buttons->button(QDialogButtonBox::Cancel));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }
    void taskbarsFindTheDesktopEntryAndIcon() {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("orvanta"));
        QVERIFY(QFile::exists(qEnvironmentVariable("ORVANTA_SOURCE_DIR") +
                              QStringLiteral("/data/orvanta.desktop")));
        QVERIFY(!QGuiApplication::windowIcon().pixmap(48, 48).isNull());
    }
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
    // A system without any regional settings, as the program starts it.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    TOrvantaApplication::DeutschOhneRegionaleinstellungen();
    TOrvantaApplication app(argc, argv);
    TestOrvantaApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_orvantaapplication.moc"
