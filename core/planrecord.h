#pragma once
// The plan record: all inputs, settings and scalar results of one plan, stored
// byte for byte as the only content of Orvan.Dat. The layout is fixed by the
// files in the field, so the struct is packed and every offset is asserted.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little,
              "the data file is little-endian and read by plain copy");

namespace orvanta {

// Length-prefixed text of at most N characters in Windows-1252. Bytes after
// the text are not significant; no reader looks at them, and the data file's
// writer stores them as zeros.
template <std::size_t N> struct ShortString {
    std::uint8_t Len;
    char Chars[N];

    static constexpr std::size_t Capacity = N;

    std::string_view view() const { return std::string_view(Chars, Len <= N ? Len : N); }
    // Takes the first N bytes of a Windows-1252 text.
    void assign(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        for (std::size_t k = 0; k < n; ++k)
            Chars[k] = text[k];
        Len = static_cast<std::uint8_t>(n);
    }
    std::string str() const { return std::string(view()); }
};

using Bool8 = std::uint8_t; // 0 = false, any other value reads as true

// Slots of every per-scenario array, the same index meaning the same scenario
// everywhere: 1..4 are the four columns windows and reports show, 5 a rate
// only the data file sets, 0 is calculated like the others but not shown.
inline constexpr int AnzahlSzenarien = 6;

#pragma pack(push, 1)
struct TPlanRecord {
    std::uint8_t unused_0[4];
    ShortString<255> Berichtstitel;
    ShortString<255> Nachname;
    ShortString<255> Vorname;
    std::int32_t Eintrittsalter;
    std::int32_t Zuzahlung_Monat_1;
    std::int32_t Zuzahlung_Monat_2;
    std::int32_t AgioZahlungsart;
    std::int32_t Laufzeit;
    double Zuzahlung_Betrag_1;
    double Zuzahlung_Betrag_2;
    double Sparbetrag;
    double AP_Provisionssatz;
    double Agio_Satz;
    double Agio_Ratenzuschlag;
    double BP_Provisionssatz;
    double AP_Provisionssatz_FRV;
    double Dynamik;
    std::int32_t BP_Satz;
    std::int32_t BP_Performance;
    std::uint8_t unused_872[8];
    std::int32_t FRV_Parameter;
    std::uint8_t unused_884[4];
    double Performance[AnzahlSzenarien];
    double Kapital[AnzahlSzenarien];
    double AgioBetrag;
    std::int32_t Geschlecht;
    std::int32_t Anlagestrategie;
    double ManagementFee;
    double Depotgebuehr;
    Bool8 MitEinrichtungsgebuehr;
    Bool8 MitManagementFee;
    Bool8 MitDepotgebuehr;
    std::uint8_t unused_1019[5];
    double Anlagesumme;
    std::uint8_t unused_1032[8];
    double FRV_Summe;
    double BP_Summe;
    ShortString<255> Berater;
    ShortString<255> Firma;
    ShortString<21> Version;
    std::uint8_t unused_1590[234];
    ShortString<255> Passwort_1;
    std::int32_t AgioMonate;
    std::uint8_t unused_2084[4];
    double AP_Satz_FRV_Tabelle[3]; // levels 1..3
    double BP_Satz_Tabelle[3];     // levels 1..3
    Bool8 FRV_Vergleich_Einzahlung;
    std::uint8_t unused_2137[15];
    ShortString<255> Strategie_Link[4]; // strategies 1..4
    ShortString<255> Verkaufsdoku_Link;
    ShortString<255> Anschrift;
    Bool8 Grafik_drucken;
    ShortString<255> Strasse;
    ShortString<255> Telefon;
    std::uint8_t unused_4201[3];
    std::int32_t Anlageart;
    std::int32_t AuszBeginn;
    std::int32_t AuszEnde;
    std::int32_t AuszEndeArt;
    ShortString<40> Passwort_2;
    ShortString<40> Passwort_3;
    Bool8 Logo_drucken;
    Bool8 Einzahlungsphase_drucken;
    Bool8 Entnahmephase_drucken;
    std::uint8_t unused_4305[15];
    double Anlagebetrag;
    double Monatsrente;
    double Rentenkapital;
    std::int32_t Rentengarantie;
    Bool8 FRV_Vergleich_Entnahme;
    std::uint8_t unused_4349[3];
    std::int32_t Anlagestrategie_Entnahme;
    std::int32_t Kapital_Szenario;
    Bool8 Kapital_aus_Einzahlung;
    std::uint8_t unused_4361[7];
    double Kapital_Entnahme[AnzahlSzenarien];
    std::int32_t AuszDauer;
    std::int32_t Grafik_Phase;
    std::int32_t Grafik_Szenario;
    std::uint8_t unused_4428[52];
    double Entnahme_ewig[AnzahlSzenarien];
    double Erforderliche_Wertentwicklung;
    std::uint8_t unused_4536[8];
    double Entnahme_moeglich[AnzahlSzenarien];
    double Kapital_erforderlich[AnzahlSzenarien];
    std::int32_t Ansicht;
    std::uint8_t unused_4644[52];
    std::int32_t Zugriffsstufe;
    std::uint8_t unused_4700[4];
    double Kapital_Einzahlungsende[AnzahlSzenarien];
    double Entnahme_aus_Einzahlung[AnzahlSzenarien];
    std::int32_t Uebertragungsmonate;
    std::uint8_t unused_4804[4];
    double Zins_SystemEinmalanlage;
    std::int32_t Einzahlungsdauer;
    std::uint8_t unused_4820[4];
};
#pragma pack(pop)

inline constexpr std::size_t PlanRecordSize = 4824;

// The codes the enumerated fields hold. A file may hold any other value; the
// calculations treat it by their own rules, the windows check no button.

// Anlageart: kind of investment.
inline constexpr std::int32_t KindAufbauplan = 1;
inline constexpr std::int32_t KindEinmalanlage = 2;
inline constexpr std::int32_t KindSystemEinmalanlage = 3;

// AuszEndeArt: how the end of the withdrawal phase is found.
inline constexpr std::int32_t EndeIndividuell = 1;
inline constexpr std::int32_t EndeLebenserwartung = 2;
inline constexpr std::int32_t EndeLebenserwartungGeburt = 3; // no input sets it
inline constexpr std::int32_t Ende95 = 4;
inline constexpr std::int32_t EndeOhneKapitalverzehr = 5;

// AgioZahlungsart: payment of the Einrichtungsgebühr.
inline constexpr std::int32_t AgioSofort = 1;
inline constexpr std::int32_t AgioRatierlich = 2;

// Geschlecht.
inline constexpr std::int32_t GeschlechtMaennlich = 1;
inline constexpr std::int32_t GeschlechtWeiblich = 2;

// Anlagestrategie and Anlagestrategie_Entnahme: Strategiedepot F, S, W, Z.
inline constexpr std::int32_t StrategieF = 1;
inline constexpr std::int32_t StrategieS = 2;
inline constexpr std::int32_t StrategieW = 3;
inline constexpr std::int32_t StrategieZ = 4;

// AuszDauer of a withdrawal without consumption of the capital, which is
// simulated up to the age EntnahmeEndalter.
inline constexpr int AuszDauerOhneKapitalverzehr = 999;
inline constexpr std::int32_t EntnahmeEndalter = 95;
static_assert(sizeof(TPlanRecord) == PlanRecordSize);

// Durations and ages as the window lets them be entered. A calculation
// refuses a record with anything else before it allocates a table: a damaged
// file must not make it run for minutes or exhaust the memory.
inline constexpr std::int32_t HoechsteLaufzeit = 99; // Laufzeit, Einzahlungsdauer
inline constexpr std::int32_t HoechstesAlter = 150;  // the ages and AuszDauer

struct TGrenzfehler {
    const char* Feld = nullptr; // name of the first field out of bounds, nullptr when none
    std::int32_t Wert = 0;
    std::int32_t Min = 0, Max = 0;
    bool OhneVerzehrErlaubt = false; // AuszDauerOhneKapitalverzehr is allowed besides
};

// Checks Laufzeit, Einzahlungsdauer (0..99), Eintrittsalter, AuszBeginn,
// AuszEnde (0..150) and AuszDauer (0..150 or 999), in this order.
TGrenzfehler PruefeGrenzen(const TPlanRecord& rec);

// ERangeError ("Fehler bei Bereichsprüfung") when PruefeGrenzen finds a field.
void PruefeBereich(const TPlanRecord& rec);

// True for a withdrawal length the window can produce (0..150 or 999).
bool AuszDauerImBereich(std::int64_t jahre);

// The yearly increase the accumulation applies: the Dynamik of an Aufbauplan,
// none for a lump sum. The record keeps what was entered (a later change back
// to an Aufbauplan brings it back); what is printed follows the calculation.
double AngewandteDynamik(const TPlanRecord& rec);

// BP_Provisionssatz of a BP_Satz level: 0.1, 0.2, 0.25 for 1, 2, 3, else 0.
double BPProvisionssatz(std::int32_t bpSatz);

#define ORVANTA_AT(field, off) static_assert(offsetof(TPlanRecord, field) == off, #field)
ORVANTA_AT(Berichtstitel, 4);
ORVANTA_AT(Nachname, 260);
ORVANTA_AT(Vorname, 516);
ORVANTA_AT(Eintrittsalter, 772);
ORVANTA_AT(AgioZahlungsart, 784);
ORVANTA_AT(Laufzeit, 788);
ORVANTA_AT(Zuzahlung_Betrag_1, 792);
ORVANTA_AT(Sparbetrag, 808);
ORVANTA_AT(Dynamik, 856);
ORVANTA_AT(BP_Satz, 864);
ORVANTA_AT(BP_Performance, 868);
ORVANTA_AT(FRV_Parameter, 880);
ORVANTA_AT(Performance, 888);
ORVANTA_AT(Kapital, 936);
ORVANTA_AT(AgioBetrag, 984);
ORVANTA_AT(Geschlecht, 992);
ORVANTA_AT(Anlagestrategie, 996);
ORVANTA_AT(ManagementFee, 1000);
ORVANTA_AT(Depotgebuehr, 1008);
ORVANTA_AT(MitEinrichtungsgebuehr, 1016);
ORVANTA_AT(MitDepotgebuehr, 1018);
ORVANTA_AT(Anlagesumme, 1024);
ORVANTA_AT(FRV_Summe, 1040);
ORVANTA_AT(BP_Summe, 1048);
ORVANTA_AT(Berater, 1056);
ORVANTA_AT(Firma, 1312);
ORVANTA_AT(Version, 1568);
ORVANTA_AT(Passwort_1, 1824);
ORVANTA_AT(AgioMonate, 2080);
ORVANTA_AT(AP_Satz_FRV_Tabelle, 2088);
ORVANTA_AT(BP_Satz_Tabelle, 2112);
ORVANTA_AT(FRV_Vergleich_Einzahlung, 2136);
ORVANTA_AT(Strategie_Link, 2152);
ORVANTA_AT(Verkaufsdoku_Link, 3176);
ORVANTA_AT(Anschrift, 3432);
ORVANTA_AT(Grafik_drucken, 3688);
ORVANTA_AT(Strasse, 3689);
ORVANTA_AT(Telefon, 3945);
ORVANTA_AT(Anlageart, 4204);
ORVANTA_AT(AuszBeginn, 4208);
ORVANTA_AT(AuszEnde, 4212);
ORVANTA_AT(AuszEndeArt, 4216);
ORVANTA_AT(Passwort_2, 4220);
ORVANTA_AT(Passwort_3, 4261);
ORVANTA_AT(Logo_drucken, 4302);
ORVANTA_AT(Einzahlungsphase_drucken, 4303);
ORVANTA_AT(Entnahmephase_drucken, 4304);
ORVANTA_AT(Anlagebetrag, 4320);
ORVANTA_AT(Monatsrente, 4328);
ORVANTA_AT(Rentenkapital, 4336);
ORVANTA_AT(Rentengarantie, 4344);
ORVANTA_AT(FRV_Vergleich_Entnahme, 4348);
ORVANTA_AT(Anlagestrategie_Entnahme, 4352);
ORVANTA_AT(Kapital_Szenario, 4356);
ORVANTA_AT(Kapital_aus_Einzahlung, 4360);
ORVANTA_AT(Kapital_Entnahme, 4368);
ORVANTA_AT(AuszDauer, 4416);
ORVANTA_AT(Grafik_Phase, 4420);
ORVANTA_AT(Grafik_Szenario, 4424);
ORVANTA_AT(Entnahme_ewig, 4480);
ORVANTA_AT(Erforderliche_Wertentwicklung, 4528);
ORVANTA_AT(Entnahme_moeglich, 4544);
ORVANTA_AT(Kapital_erforderlich, 4592);
ORVANTA_AT(Ansicht, 4640);
ORVANTA_AT(Zugriffsstufe, 4696);
ORVANTA_AT(Kapital_Einzahlungsende, 4704);
ORVANTA_AT(Entnahme_aus_Einzahlung, 4752);
ORVANTA_AT(Uebertragungsmonate, 4800);
ORVANTA_AT(Zins_SystemEinmalanlage, 4808);
ORVANTA_AT(Einzahlungsdauer, 4816);
#undef ORVANTA_AT

} // namespace orvanta
