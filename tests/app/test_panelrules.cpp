// Rules of the input panel and the display step, checked on the record alone.

#include "app/displaydata.h"
#include "app/panelrules.h"
#include "core/errors.h"
#include "core/formatsettings.h"
#include "dialogs/recordfelder.h"

#include <QtTest>

#include <cstring>

using namespace orvanta;

namespace {
TPlanRecord ZeroRecord() {
    TPlanRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}
} // namespace

class TestPanelRules : public QObject {
    Q_OBJECT
private slots:
    void init() { SetFormatSettings(TFormatSettings{',', '.'}); }

    void truncRefusesValuesBeyond32Bits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("fraction cut") << 25.9 << true << 25;
        QTest::newRow("negative cut toward zero") << -3.7 << true << -3;
        QTest::newRow("largest int32") << 2147483647.0 << true << 2147483647;
        QTest::newRow("just beyond") << 2147483648.0 << false << 0;
        QTest::newRow("below int32") << -2147483649.0 << false << 0;
        QTest::newRow("not a number") << std::nan("") << false << 0;
    }
    void truncRefusesValuesBeyond32Bits() {
        QFETCH(double, value);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        if (ok) {
            QCOMPARE(Trunc(value), expected);
        } else {
            try {
                Trunc(value);
                QFAIL("no range error");
            } catch (const ERangeError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Fehler bei Bereichsprüfung"));
            }
        }
    }

    void scenarioChoiceTakesFirstCharacter() {
        QCOMPARE(ScenarioRateFromChoice("12"), 1.0);
        QCOMPARE(ScenarioRateFromChoice("7 %"), 7.0);
        QCOMPARE(ScenarioRateFromChoice("0 %"), 0.0);
        const std::pair<const char*, const char*> bad[] = {
            {"x5", "'x' ist kein gültiger Gleitkommawert"},
            {"", "'' ist kein gültiger Gleitkommawert"},
            {" 6 %", "' ' ist kein gültiger Gleitkommawert"},
            {"ä %", "'ä' ist kein gültiger Gleitkommawert"},
        };
        for (const auto& [text, message] : bad) {
            try {
                ScenarioRateFromChoice(text);
                QFAIL(text);
            } catch (const EConvertError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), QString::fromUtf8(message));
            }
        }
    }

    void withdrawalStartAndEndFollowAccumulation() {
        TPlanRecord r = ZeroRecord();
        r.Eintrittsalter = 40;
        r.Laufzeit = 25;
        r.AuszBeginn = 60;
        QVERIFY(RaiseAuszBeginn(r));
        QCOMPARE(r.AuszBeginn, 65);
        QVERIFY(!RaiseAuszBeginn(r)); // equal is fine
        r.AuszBeginn = 70;
        QVERIFY(!RaiseAuszBeginn(r));
        QCOMPARE(r.AuszBeginn, 70);

        QCOMPARE(IndividuellEndAge(65, 65), std::optional<std::int32_t>(66));
        QCOMPARE(IndividuellEndAge(65, 60), std::optional<std::int32_t>(66));
        QCOMPARE(IndividuellEndAge(65, 80), std::nullopt);

        // A file may hold any age: no silent wrap-around.
        r.Eintrittsalter = 2147483600;
        r.Laufzeit = 99;
        QVERIFY_THROWS_EXCEPTION(ERangeError, RaiseAuszBeginn(r));
    }

    // A typo in Alter or Anlagedauer never pushes the start of withdrawals
    // past the latest start; a plan file that holds such ages comes back as
    // soon as Alter and Anlagedauer allow it.
    void withdrawalAgesStayWithinTheHighestAge_data() {
        QTest::addColumn<int>("alter");
        QTest::addColumn<int>("laufzeit");
        QTest::addColumn<int>("auszBeginn");
        QTest::addColumn<int>("auszEnde");
        QTest::addColumn<int>("maxLaufzeit");  // for this Alter
        QTest::addColumn<int>("maxAlter");     // for this Anlagedauer
        QTest::addColumn<int>("beginnDanach"); // after EntnahmeAlterBereinigen
        QTest::addColumn<int>("endeDanach");
        QTest::addColumn<bool>("rechenbar"); // no EntnahmeAlterFehler
        QTest::newRow("typo stored: Anlagedauer 90")
            << 65 << 90 << 155 << 156 << 84 << 59 << 155 << 156 << false;
        QTest::newRow("corrected to 30") << 65 << 30 << 155 << 156 << 84 << 100 << 95 << 96 << true;
        QTest::newRow("Alter corrected to 50 with Anlagedauer 99")
            << 50 << 99 << 199 << 200 << 99 << 50 << 149 << 150 << true;
        QTest::newRow("a later start stays")
            << 40 << 25 << 120 << 150 << 99 << 100 << 120 << 150 << true;
    }

    void withdrawalAgesStayWithinTheHighestAge() {
        QFETCH(int, alter);
        QFETCH(int, laufzeit);
        QFETCH(int, auszBeginn);
        QFETCH(int, auszEnde);
        TPlanRecord r = ZeroRecord();
        r.Eintrittsalter = alter;
        r.Laufzeit = laufzeit;
        r.AuszBeginn = auszBeginn;
        r.AuszEnde = auszEnde;
        QTEST(LaufzeitHoechstwert(alter), "maxLaufzeit");
        QTEST(EintrittsalterHoechstwert(laufzeit), "maxAlter");
        EntnahmeAlterBereinigen(r);
        QTEST(r.AuszBeginn, "beginnDanach");
        QTEST(r.AuszEnde, "endeDanach");
        QTEST(EntnahmeAlterFehler(r).empty(), "rechenbar");
        // At the bound the raise and the end rule stay within the ages.
        QVERIFY(*IndividuellEndAge(alter + LaufzeitHoechstwert(alter), 0) <= HoechstesAlter);
    }

    void einzahlungsdauerAndLaufzeitBounds() {
        QCOMPARE(ClampEinzahlungsdauer(30, 25), 25);
        QCOMPARE(ClampEinzahlungsdauer(20, 25), 20);
        QCOMPARE(LaufzeitMinimum(KindAufbauplan), 1);
        QCOMPARE(LaufzeitMinimum(KindEinmalanlage), 0);
        QCOMPARE(LaufzeitMinimum(KindSystemEinmalanlage), 1);
        QCOMPARE(LaufzeitMinimum(0), 1);
    }

    void amountParkedWhenKindChanges() {
        TPlanRecord r = ZeroRecord();
        r.Sparbetrag = 50;
        r.Anlagebetrag = 10000;
        // Aufbauplan showing 200 -> Einmalanlage: 200 parked, 10 000 back.
        TAmountField f = ParkAmount(r, KindAufbauplan, KindEinmalanlage, {200, 1});
        QCOMPARE(r.Sparbetrag, 200.0);
        QCOMPARE(f.Shown, 10000.0);
        QCOMPARE(f.ValueMin, 1.0);
        // ... and back to the Aufbauplan.
        f = ParkAmount(r, KindEinmalanlage, KindAufbauplan, f);
        QCOMPARE(r.Anlagebetrag, 10000.0);
        QCOMPARE(f.Shown, 200.0);

        // Einmalanlage 1 000 -> Systemeinmalanlage raises to 2 500 with bound 2 500.
        f = ParkAmount(r, KindEinmalanlage, KindSystemEinmalanlage, {1000, 1});
        QCOMPARE(f.Shown, 2500.0);
        QCOMPARE(f.ValueMin, 2500.0);
        QCOMPARE(r.Anlagebetrag, 1000.0);
        // ... back to Einmalanlage keeps 2 500, bound 1 again.
        f = ParkAmount(r, KindSystemEinmalanlage, KindEinmalanlage, f);
        QCOMPARE(f.Shown, 2500.0);
        QCOMPARE(f.ValueMin, 1.0);
        QCOMPARE(r.Anlagebetrag, 2500.0);

        // Re-running the rule without a change of kind swaps nothing.
        r.Anlagebetrag = 10000;
        f = ParkAmount(r, KindAufbauplan, KindAufbauplan, {300, 1});
        QCOMPARE(f.Shown, 300.0);
        QCOMPARE(r.Sparbetrag, 300.0);
        QCOMPARE(r.Anlagebetrag, 10000.0);
        // A transfer button of a Systemeinmalanlage keeps its amount.
        f = ParkAmount(r, KindSystemEinmalanlage, KindSystemEinmalanlage, {5000, 2500});
        QCOMPARE(f.Shown, 5000.0);
        QCOMPARE(f.ValueMin, 2500.0);
    }

    void zahlungsartRules_data() {
        QTest::addColumn<bool>("mitAgio");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("agio");
        QTest::addColumn<bool>("verteiltEnabled");
        QTest::addColumn<bool>("zahlungVisible");
        QTest::addColumn<bool>("uebertragungVisible");
        QTest::addColumn<bool>("einmalig");
        QTest::addColumn<bool>("verteilt");
        QTest::newRow("no fee, Aufbauplan")
            << false << 1 << 2 << 2 << false << false << false << false << true;
        QTest::newRow("fee, Aufbauplan spread")
            << true << 1 << 2 << 2 << true << true << false << false << true;
        QTest::newRow("fee, Einmalanlage pays at once")
            << true << 2 << 2 << 1 << false << true << false << true << false;
        QTest::newRow("fee, Systemeinmalanlage")
            << true << 3 << 2 << 1 << false << false << true << true << false;
        QTest::newRow("odd stored value")
            << true << 1 << 7 << 7 << true << true << false << false << false;
    }
    void zahlungsartRules() {
        QFETCH(bool, mitAgio);
        QFETCH(int, kind);
        QFETCH(int, stored);
        TPlanRecord r = ZeroRecord();
        r.MitEinrichtungsgebuehr = mitAgio;
        r.AgioZahlungsart = stored;
        const TZahlungsartState s = ZahlungsartRegeln(r, kind);
        QTEST(r.AgioZahlungsart, "agio");
        QTEST(s.VerteiltEnabled, "verteiltEnabled");
        QTEST(s.ZahlungVisible, "zahlungVisible");
        QTEST(s.UebertragungVisible, "uebertragungVisible");
        QTEST(s.EinmaligChecked, "einmalig");
        QTEST(s.VerteiltChecked, "verteilt");
    }

    void saveConversions() {
        QCOMPARE(QString(AnlageartRegeln(1).BetragCaption),
                 QStringLiteral("Monats&betrag Aufbauplan"));
        QCOMPARE(QString(AnlageartRegeln(3).BetragCaption), QStringLiteral("&Betrag Einmalanlage"));
        QVERIFY(!AnlageartRegeln(2).UebertragungEnabled && AnlageartRegeln(3).UebertragungEnabled);
        QVERIFY(AnlageartRegeln(1).EinzahlungsdauerEnabled &&
                !AnlageartRegeln(2).EinzahlungsdauerEnabled);
        QCOMPARE(AgioZahlungsartFromSettings(true, false), 1);
        QCOMPARE(AgioZahlungsartFromSettings(false, false), 2);
        QCOMPARE(AgioZahlungsartFromSettings(false, true), 2);
        QCOMPARE(BPProvisionssatz(3), 0.25);
        QCOMPARE(BPProvisionssatz(0), 0.0);
        QVERIFY(DynamikChecked(5.0) && !DynamikChecked(4.9));
        QVERIFY(DynamikWaehlbar(KindAufbauplan, 25) && !DynamikWaehlbar(KindAufbauplan, 0) &&
                !DynamikWaehlbar(KindEinmalanlage, 25) &&
                !DynamikWaehlbar(KindSystemEinmalanlage, 25));
        QCOMPARE(BerichtstitelCp1252(4), std::string("Modellrechnung \x96 Strategiedepot Z"));
        QCOMPARE(BerichtstitelCp1252(9), std::string("Modellrechnung \x96 "));
    }

    void previewCaptionsInGermanFormat() {
        QCOMPARE(QString::fromStdString(WertentwicklungCaption(500, 100000)),
                 QStringLiteral("Erforderliche Wertentwicklung (500,00 € monatliche Entnahme / "
                                "100.000 € Kapital)"));
        QCOMPARE(QString::fromStdString(EntnahmeCaption(100000)),
                 QStringLiteral("Mögliche monatliche Entnahme (100.000 € Kapital)"));
        QCOMPARE(QString::fromStdString(KapitalCaption(500)),
                 QStringLiteral("Erforderliches Kapital (500 € monatliche Entnahme)"));
        QCOMPARE(QString::fromStdString(KapitalCaption(1234.5)),
                 QStringLiteral("Erforderliches Kapital (1.235 € monatliche Entnahme)"));
        QCOMPARE(
            QString::fromStdString(WertentwicklungCaption(1234.5, 0)),
            QStringLiteral(
                "Erforderliche Wertentwicklung (1.234,50 € monatliche Entnahme / 0 € Kapital)"));
    }

    void scenarioCaptions() {
        QCOMPARE(ShortestDecimal(6), std::string("6"));
        QCOMPARE(ShortestDecimal(6.5), std::string("6,5"));
        QCOMPARE(ShortestDecimal(0.1), std::string("0,1"));
        QCOMPARE(ScenarioCaption(3), std::string("3 %"));
        QCOMPARE(BPPerformanceText(9), std::string("9%"));
        SetFormatSettings(TFormatSettings{'.', ','});
        QCOMPARE(ShortestDecimal(6.5), std::string("6.5"));
    }

    void lifeExpectancyRoundsHalfToEven() {
        QCOMPARE(LebenserwartungCaption(40, 37.6), std::string("78 Jahre (Lebenserwartung)"));
        QCOMPARE(LebenserwartungCaption(40, 37.5), std::string("78 Jahre (Lebenserwartung)"));
        QCOMPARE(LebenserwartungCaption(40, 38.5), std::string("78 Jahre (Lebenserwartung)"));
        QCOMPARE(LebenserwartungCaption(40, 0), std::string("40 Jahre (Lebenserwartung)"));
    }

    void previewValuesWithAndWithoutWithdrawalRows() {
        TPerformCalc calc;
        calc.Rec.Anlagesumme = 24000;
        calc.Rec.Monatsrente = 500;
        for (int k = 0; k < 6; ++k) {
            calc.Rec.Entnahme_moeglich[k] = 100 + k;
            calc.Rec.Kapital_erforderlich[k] = 1000 + k;
        }
        TPreviewValues v = PreviewValues(calc);
        QCOMPARE(v.Ausz[0], 101.0); // column 1 is scenario 1, not 0
        QCOMPARE(v.Kapital[3], 1004.0);
        QCOMPARE(v.Restkapital[2], 0.0); // empty table: nothing read

        TPerformanceData first, last;
        for (int k = 0; k < 6; ++k) {
            first.NIW[k] = 90000 + k;
            last.NIW[k] = 10 + k;
            last.Summe[k] = 120000 + k;
        }
        calc.Entnahmetabelle = {first, TPerformanceData{}, last};
        v = PreviewValues(calc);
        QCOMPARE(v.Anfangskapital[0], 90001.0);
        QCOMPARE(v.SummeEntnahmen[3], 120004.0);
        QCOMPARE(v.Restkapital[1], 12.0);

        QVERIFY(!PreviewWithdrawalRowsVisible(EndeOhneKapitalverzehr));
        QVERIFY(PreviewWithdrawalRowsVisible(Ende95));
    }

    void chartSeriesTitlesAndAxis() {
        TPerformCalc calc;
        calc.Rec.Grafik_Phase = 1;
        calc.Rec.Grafik_Szenario = 3;
        calc.Rec.Anlageart = KindAufbauplan;
        calc.Rec.Performance[3] = 6;
        calc.Rec.Performance[0] = 2.5;
        QVERIFY(!ChartData(calc, false)); // no rows: chart keeps its points

        calc.Aufbautabelle.resize(3);
        calc.Aufbautabelle[2].NIW[3] = 250000;
        calc.Aufbautabelle[1].FRV_Wert[3] = 260000; // counts while hidden
        calc.Aufbautabelle[2].Summe[3] = 100000;
        auto d = ChartData(calc, true);
        QVERIFY(d);
        QCOMPARE(QString::fromStdString(d->Title),
                 QStringLiteral("Vermögensaufbau in der Einzahlungsphase (Wertentwicklung 6%)"));
        QCOMPARE(d->Series2Title, std::string("Summe der Einzahlungen"));
        QCOMPARE(d->XMax, 2.0);
        QCOMPARE(d->YMax, 262600.0);
        QVERIFY(!d->FRVVisible); // comparison switch off
        QCOMPARE(d->Series[0].size(), std::size_t(3));
        QCOMPARE(d->Series[2][2].Y, 100000.0);

        calc.Aufbautabelle[1].FRV_Wert[3] = 0;
        calc.Rec.FRV_Vergleich_Einzahlung = 1;
        calc.Rec.Anlageart = KindEinmalanlage;
        d = ChartData(calc, true);
        QCOMPARE(d->YMax, 252500.0);
        QVERIFY(d->FRVVisible);
        QCOMPARE(d->Series2Title, std::string("Anlagebetrag"));

        // No scenario button: scenario 0 with its own rate.
        calc.Rec.Grafik_Szenario = 0;
        d = ChartData(calc, false);
        QVERIFY(
            QString::fromStdString(d->Title).endsWith(QStringLiteral("(Wertentwicklung 2,5%)")));
        QCOMPARE(d->YMax, 0.0);

        calc.Rec.Grafik_Phase = 2;
        calc.Entnahmetabelle.resize(1);
        d = ChartData(calc, false);
        QCOMPARE(
            QString::fromStdString(d->Title),
            QStringLiteral("Vermögensentwicklung in der Entnahmephase (Wertentwicklung 2,5%)"));
        QCOMPARE(d->Series2Title, std::string("Summe der Entnahmen"));
        QCOMPARE(d->XMax, 0.0);

        calc.Rec.Grafik_Szenario = 6;
        QVERIFY_THROWS_EXCEPTION(ERangeError, ChartData(calc, false));
    }

    void frvLookupOnlyForFullyPaidAufbauplan() {
        TPlanRecord r = ZeroRecord();
        r.Anlageart = 1;
        r.Laufzeit = 25;
        r.Einzahlungsdauer = 25;
        QVERIFY(FRVLookupApplies(r));
        r.Einzahlungsdauer = 20;
        QVERIFY(!FRVLookupApplies(r));
        r.Einzahlungsdauer = 25;
        r.Anlageart = 2;
        QVERIFY(!FRVLookupApplies(r));
    }
};

QTEST_APPLESS_MAIN(TestPanelRules)
#include "test_panelrules.moc"
