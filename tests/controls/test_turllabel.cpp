// The link label and the opening of link targets. Opening is replaced by a
// recorder: nothing is launched.
#include "controls/opendocument.h"
#include "controls/turllabel.h"
#include "core/cp1252.h"
#include "core/errors.h"
#include "core/planrecord.h"
#include "tests/support/urlrecorder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <optional>

using namespace orvanta;

namespace {

const QColor Blau(0, 0, 255);
const QColor Lila(128, 0, 128);

TPlanRecord LinkRecord() {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Strategie_Link[0].assign("https://example.com/F");
    rec.Strategie_Link[1].assign("https://example.com/S");
    rec.Strategie_Link[2].assign("https://example.com/W");
    rec.Strategie_Link[3].assign(Utf8ToCp1252("Dokumente/Strategie Z – Übersicht.pdf"));
    rec.Verkaufsdoku_Link.assign("www.example.com/verkauf");
    rec.Anlagestrategie = 1;
    return rec;
}

} // namespace

class TestURLLabel : public QObject {
    Q_OBJECT
    std::optional<testing::UrlRecorder> recorder;
    const QList<QUrl>& opened() const { return recorder->Opened; }

private slots:
    void init() { recorder.emplace(); }
    void cleanup() { recorder.reset(); }

    void clickTurnsPurpleForTheRestOfTheRun() {
        TURLLabel a("Wertentwicklung der gewählten Anlagestrategie");
        TURLLabel b("Verkaufsdokumentation von VALMERA 47");
        QVERIFY(a.font().underline());
        QVERIFY(!a.wordWrap());
        QCOMPARE(a.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(a.TextColor(), Blau);
        QSignalSpy spy(&a, &TURLLabel::clicked);
        a.show();
        b.show();
        QTest::mouseClick(&a, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QVERIFY(a.IsClicked());
        QCOMPARE(a.TextColor(), Lila);
        QCOMPARE(b.TextColor(), Blau);
        // Stays purple; every further click still reports itself.
        QTest::mouseClick(&a, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(a.TextColor(), Lila);
        // A right click, or a release outside the label, is no click.
        QSignalSpy spyB(&b, &TURLLabel::clicked);
        QTest::mouseClick(&b, Qt::RightButton);
        QTest::mousePress(&b, Qt::LeftButton);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(spyB.count(), 0);
        QCOMPARE(b.TextColor(), Blau);
    }

    void coloursCanBeChosen() {
        TURLLabel a("x");
        a.SetUnClickedColor(Qt::darkGreen);
        QCOMPARE(a.TextColor(), QColor(Qt::darkGreen));
        a.SetClickedColor(Qt::red);
        a.show();
        QTest::mouseClick(&a, Qt::LeftButton);
        QCOMPARE(a.TextColor(), QColor(Qt::red));
    }

    void firstLinkFollowsTheStrategy() {
        TPlanRecord rec = LinkRecord();
        TURLLabel link1("Wertentwicklung der gewählten Anlagestrategie");
        connect(&link1, &TURLLabel::clicked, this, [&] { OpenDocument(LinkTarget(rec, 1)); });
        link1.show();
        rec.Anlagestrategie = 2; // Strategiedepot S
        QTest::mouseClick(&link1, Qt::LeftButton);
        rec.Anlagestrategie = 3; // switched to W without a restart
        QTest::mouseClick(&link1, Qt::LeftButton);
        QCOMPARE(opened(),
                 (QList<QUrl>{QUrl("https://example.com/S"), QUrl("https://example.com/W")}));

        // The hidden strategy Z opens the fourth text: a relative document path.
        rec.Anlagestrategie = 4;
        QCOMPARE(LinkTarget(rec, 1), std::string("Dokumente/Strategie Z – Übersicht.pdf"));
    }

    void strategyOutsideItsRangeOpensNothing_data() {
        QTest::addColumn<int>("strategie");
        QTest::newRow("0") << 0;
        QTest::newRow("5") << 5;
        QTest::newRow("7") << 7;
        QTest::newRow("-1") << -1;
        QTest::newRow("huge") << 0x7fffffff;
    }
    void strategyOutsideItsRangeOpensNothing() {
        QFETCH(int, strategie);
        TPlanRecord rec = LinkRecord();
        rec.Anlagestrategie = strategie;
        try {
            OpenDocument(LinkTarget(rec, 1));
            QFAIL("no range error");
        } catch (const ERangeError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString("Fehler bei Bereichsprüfung"));
        }
        QVERIFY(opened().isEmpty());
    }

    void otherLinks() {
        const TPlanRecord rec = LinkRecord();
        QCOMPARE(LinkTarget(rec, 2), std::string("www.example.com/verkauf"));
        QCOMPARE(LinkTarget(rec, 3), std::string("FAZ 30_05_06.pdf"));
        QVERIFY_THROWS_EXCEPTION(ERangeError, LinkTarget(rec, 4));
    }

    void whatATargetOpens() {
        const QString cwd = "/srv/orvanta";
        QCOMPARE(DocumentUrl("https://example.com/a?b=1", cwd), QUrl("https://example.com/a?b=1"));
        QCOMPARE(DocumentUrl("  www.example.com/x ", cwd), QUrl("http://www.example.com/x"));
        QCOMPARE(DocumentUrl("mailto:info@example.com", cwd), QUrl("mailto:info@example.com"));
        QCOMPARE(DocumentUrl("file:///tmp/a.pdf", cwd), QUrl("file:///tmp/a.pdf"));
        QCOMPARE(DocumentUrl("/tmp/Bericht 1.pdf", cwd), QUrl::fromLocalFile("/tmp/Bericht 1.pdf"));
        QCOMPARE(DocumentUrl("FAZ 30_05_06.pdf", cwd),
                 QUrl::fromLocalFile("/srv/orvanta/FAZ 30_05_06.pdf"));
        // A drive letter is no scheme.
        QVERIFY(DocumentUrl("C:\\Daten\\a.pdf", cwd).isLocalFile());
        QVERIFY(!DocumentUrl("", cwd).isValid());
        QVERIFY(!DocumentUrl("   ", cwd).isValid());
    }

    void relativeNamesComeFromTheCurrentDirectory() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        OpenDocument(std::string(FazDocument));
        OpenDocument(QString()); // nothing
        QDir::setCurrent(before);
        QCOMPARE(opened().size(), 1);
        QCOMPARE(opened()[0],
                 QUrl::fromLocalFile(QDir(dir.path()).absoluteFilePath("FAZ 30_05_06.pdf")));
        // A missing file is handed on all the same: nothing is checked or reported.
        QVERIFY(!QFile::exists(opened()[0].toLocalFile()));
    }
};

QTEST_MAIN(TestURLLabel)
#include "test_turllabel.moc"
