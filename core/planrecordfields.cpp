#include "core/planrecordfields.h"

#include <cassert>
#include <cstring>

namespace orvanta {

namespace {

constexpr std::size_t npos = 0;

#define F_INT(name)                                                                                \
    { #name, offsetof(TPlanRecord, name), TFieldKind::Int32, npos, 1, 0 }
#define F_DBL(name)                                                                                \
    { #name, offsetof(TPlanRecord, name), TFieldKind::Double, npos, 1, 0 }
#define F_BOOL(name)                                                                               \
    { #name, offsetof(TPlanRecord, name), TFieldKind::Bool8, npos, 1, 0 }
#define F_STR(name)                                                                                \
    { #name, offsetof(TPlanRecord, name), TFieldKind::SString, sizeof(TPlanRecord::name) - 1, 1, 0 }
#define F_DBLS(name, first)                                                                        \
    {                                                                                              \
#name, offsetof(TPlanRecord, name), TFieldKind::Double, npos,                              \
            static_cast < int>(sizeof(TPlanRecord::name) / sizeof(double)), first                  \
    }
#define F_STRS(name, first)                                                                        \
    {                                                                                              \
#name, offsetof(TPlanRecord, name), TFieldKind::SString, sizeof(TPlanRecord::name[0]) - 1, \
            static_cast < int>(sizeof(TPlanRecord::name) / sizeof(TPlanRecord::name[0])), first    \
    }

const TPlanRecordField Fields[] = {
    F_STR(Berichtstitel),
    F_STR(Nachname),
    F_STR(Vorname),
    F_INT(Eintrittsalter),
    F_INT(Zuzahlung_Monat_1),
    F_INT(Zuzahlung_Monat_2),
    F_INT(AgioZahlungsart),
    F_INT(Laufzeit),
    F_DBL(Zuzahlung_Betrag_1),
    F_DBL(Zuzahlung_Betrag_2),
    F_DBL(Sparbetrag),
    F_DBL(AP_Provisionssatz),
    F_DBL(Agio_Satz),
    F_DBL(Agio_Ratenzuschlag),
    F_DBL(BP_Provisionssatz),
    F_DBL(AP_Provisionssatz_FRV),
    F_DBL(Dynamik),
    F_INT(BP_Satz),
    F_INT(BP_Performance),
    F_INT(FRV_Parameter),
    F_DBLS(Performance, 0),
    F_DBLS(Kapital, 0),
    F_DBL(AgioBetrag),
    F_INT(Geschlecht),
    F_INT(Anlagestrategie),
    F_DBL(ManagementFee),
    F_DBL(Depotgebuehr),
    F_BOOL(MitEinrichtungsgebuehr),
    F_BOOL(MitManagementFee),
    F_BOOL(MitDepotgebuehr),
    F_DBL(Anlagesumme),
    F_DBL(FRV_Summe),
    F_DBL(BP_Summe),
    F_STR(Berater),
    F_STR(Firma),
    F_STR(Version),
    F_STR(Passwort_1),
    F_INT(AgioMonate),
    F_DBLS(AP_Satz_FRV_Tabelle, 1),
    F_DBLS(BP_Satz_Tabelle, 1),
    F_BOOL(FRV_Vergleich_Einzahlung),
    F_STRS(Strategie_Link, 1),
    F_STR(Verkaufsdoku_Link),
    F_STR(Anschrift),
    F_BOOL(Grafik_drucken),
    F_STR(Strasse),
    F_STR(Telefon),
    F_INT(Anlageart),
    F_INT(AuszBeginn),
    F_INT(AuszEnde),
    F_INT(AuszEndeArt),
    F_STR(Passwort_2),
    F_STR(Passwort_3),
    F_BOOL(Logo_drucken),
    F_BOOL(Einzahlungsphase_drucken),
    F_BOOL(Entnahmephase_drucken),
    F_DBL(Anlagebetrag),
    F_DBL(Monatsrente),
    F_DBL(Rentenkapital),
    F_INT(Rentengarantie),
    F_BOOL(FRV_Vergleich_Entnahme),
    F_INT(Anlagestrategie_Entnahme),
    F_INT(Kapital_Szenario),
    F_BOOL(Kapital_aus_Einzahlung),
    F_DBLS(Kapital_Entnahme, 0),
    F_INT(AuszDauer),
    F_INT(Grafik_Phase),
    F_INT(Grafik_Szenario),
    F_DBLS(Entnahme_ewig, 0),
    F_DBL(Erforderliche_Wertentwicklung),
    F_DBLS(Entnahme_moeglich, 0),
    F_DBLS(Kapital_erforderlich, 0),
    F_INT(Ansicht),
    F_INT(Zugriffsstufe),
    F_DBLS(Kapital_Einzahlungsende, 0),
    F_DBLS(Entnahme_aus_Einzahlung, 0),
    F_INT(Uebertragungsmonate),
    F_DBL(Zins_SystemEinmalanlage),
    F_INT(Einzahlungsdauer),
};

#undef F_INT
#undef F_DBL
#undef F_BOOL
#undef F_STR
#undef F_DBLS
#undef F_STRS

std::size_t elementOffset(const TPlanRecordField& f, int index) {
    assert(index >= f.FirstIndex && index < f.FirstIndex + f.Count);
    return f.Offset + static_cast<std::size_t>(index - f.FirstIndex) * f.elementSize();
}

const unsigned char* at(const TPlanRecord& rec, std::size_t offset) {
    return reinterpret_cast<const unsigned char*>(&rec) + offset;
}
unsigned char* at(TPlanRecord& rec, std::size_t offset) {
    return reinterpret_cast<unsigned char*>(&rec) + offset;
}

} // namespace

std::size_t TPlanRecordField::elementSize() const {
    switch (Kind) {
    case TFieldKind::Int32:
        return 4;
    case TFieldKind::Double:
        return 8;
    case TFieldKind::Bool8:
        return 1;
    case TFieldKind::SString:
        return Capacity + 1;
    }
    return 0;
}

std::span<const TPlanRecordField> PlanRecordFields() {
    return Fields;
}

const TPlanRecordField* FindPlanRecordField(std::string_view name) {
    for (const auto& f : Fields)
        if (name == f.Name)
            return &f;
    return nullptr;
}

std::int32_t GetInt32(const TPlanRecord& rec, const TPlanRecordField& f, int index) {
    assert(f.Kind == TFieldKind::Int32);
    std::int32_t v;
    std::memcpy(&v, at(rec, elementOffset(f, index)), sizeof v);
    return v;
}

double GetDouble(const TPlanRecord& rec, const TPlanRecordField& f, int index) {
    assert(f.Kind == TFieldKind::Double);
    double v;
    std::memcpy(&v, at(rec, elementOffset(f, index)), sizeof v);
    return v;
}

bool GetBool8(const TPlanRecord& rec, const TPlanRecordField& f, int index) {
    assert(f.Kind == TFieldKind::Bool8);
    return *at(rec, elementOffset(f, index)) != 0;
}

std::string GetText(const TPlanRecord& rec, const TPlanRecordField& f, int index) {
    assert(f.Kind == TFieldKind::SString);
    const unsigned char* p = at(rec, elementOffset(f, index));
    const std::size_t len = p[0] <= f.Capacity ? p[0] : f.Capacity;
    return std::string(reinterpret_cast<const char*>(p + 1), len);
}

void SetInt32(TPlanRecord& rec, const TPlanRecordField& f, int index, std::int32_t value) {
    assert(f.Kind == TFieldKind::Int32);
    std::memcpy(at(rec, elementOffset(f, index)), &value, sizeof value);
}

void SetDouble(TPlanRecord& rec, const TPlanRecordField& f, int index, double value) {
    assert(f.Kind == TFieldKind::Double);
    std::memcpy(at(rec, elementOffset(f, index)), &value, sizeof value);
}

void SetBool8(TPlanRecord& rec, const TPlanRecordField& f, int index, bool value) {
    assert(f.Kind == TFieldKind::Bool8);
    *at(rec, elementOffset(f, index)) = value ? 1 : 0;
}

void SetText(TPlanRecord& rec, const TPlanRecordField& f, int index, std::string_view cp1252) {
    assert(f.Kind == TFieldKind::SString);
    unsigned char* p = at(rec, elementOffset(f, index));
    const std::size_t len = cp1252.size() < f.Capacity ? cp1252.size() : f.Capacity;
    std::memcpy(p + 1, cp1252.data(), len);
    p[0] = static_cast<unsigned char>(len);
}

} // namespace orvanta
