#include "core/calcdetail.h"

#include "core/fpcheck.h"
#include "core/provisionsink.h"

namespace orvanta::detail {

void Liefern(const TProvisionsZahlen& zahlen, TProvisionSink* sink) {
    if (sink == nullptr)
        return;
    sink->SetzeAP(zahlen.AP);
    int jahr = 0;
    for (const TProvisionsJahr& j : zahlen.Jahre) {
        ++jahr;
        sink->SetzeBP(jahr, j.BP, j.BP_Summe, j.BP_Gesamt);
        if (j.MitFRV)
            sink->SetzeFRV(jahr, j.FRV, j.FRV_Summe, j.AP_FRV, j.FRV_Gesamt);
    }
}

namespace {

void pruefeZeilen(const TPerformanceDataArray& tabelle) {
    for (const TPerformanceData& z : tabelle) {
        CheckFinite(z.Betrag);
        for (int i = 0; i < AnzahlSzenarien; ++i) {
            CheckFinite(z.Summe[i]);
            CheckFinite(z.NIW[i]);
        }
    }
}

} // namespace

void PruefeAufbauErgebnis(const TPlanRecord& rec, const TPerformanceDataArray& tabelle,
                          const TProvisionsZahlen& zahlen) {
    for (double v : rec.Kapital)
        CheckFinite(v);
    CheckFinite(rec.Anlagesumme);
    CheckFinite(rec.AgioBetrag);
    CheckFinite(rec.BP_Summe);
    CheckFinite(rec.FRV_Summe);
    CheckFinite(zahlen.AP);
    for (const TProvisionsJahr& j : zahlen.Jahre) {
        CheckFinite(j.BP);
        CheckFinite(j.BP_Gesamt);
        CheckFinite(j.FRV);
        CheckFinite(j.FRV_Summe);
        CheckFinite(j.AP_FRV);
        CheckFinite(j.FRV_Gesamt);
    }
    pruefeZeilen(tabelle);
}

void PruefeEntnahmeErgebnis(const TPlanRecord& rec, const TPerformanceDataArray& tabelle) {
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        CheckFinite(rec.Kapital_Entnahme[i]);
        CheckFinite(rec.Kapital_Einzahlungsende[i]);
        CheckFinite(rec.Entnahme_ewig[i]);
        CheckFinite(rec.Entnahme_moeglich[i]);
        CheckFinite(rec.Entnahme_aus_Einzahlung[i]);
        CheckFinite(rec.Kapital_erforderlich[i]);
    }
    CheckFinite(rec.Erforderliche_Wertentwicklung);
    pruefeZeilen(tabelle);
}

void UebernimmAufbauErgebnis(TPlanRecord& ziel, const TPlanRecord& quelle) {
    for (int i = 0; i < AnzahlSzenarien; ++i)
        ziel.Kapital[i] = quelle.Kapital[i];
    ziel.Anlagesumme = quelle.Anlagesumme;
    ziel.AgioBetrag = quelle.AgioBetrag;
    ziel.AgioMonate = quelle.AgioMonate;
    ziel.BP_Summe = quelle.BP_Summe;
    ziel.FRV_Summe = quelle.FRV_Summe;
}

void UebernimmEntnahmeErgebnis(TPlanRecord& ziel, const TPlanRecord& quelle) {
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        ziel.Kapital_Entnahme[i] = quelle.Kapital_Entnahme[i];
        ziel.Kapital_Einzahlungsende[i] = quelle.Kapital_Einzahlungsende[i];
        ziel.Entnahme_ewig[i] = quelle.Entnahme_ewig[i];
        ziel.Entnahme_moeglich[i] = quelle.Entnahme_moeglich[i];
        ziel.Entnahme_aus_Einzahlung[i] = quelle.Entnahme_aus_Einzahlung[i];
        ziel.Kapital_erforderlich[i] = quelle.Kapital_erforderlich[i];
    }
    ziel.Erforderliche_Wertentwicklung = quelle.Erforderliche_Wertentwicklung;
}

} // namespace orvanta::detail
