#include "core/frvdata.h"

#include "core/formatsettings.h"
#include "core/inouterror.h"
#include "core/numbertext.h"
#include "core/osfile.h"
#include "core/textfile.h"

#include <cmath>

namespace orvanta {

std::string FRV_Dateiname(const std::string& prefix, std::int32_t sex, std::int32_t age,
                          double monthlyAmount, std::int32_t profile, double dynamik,
                          std::int32_t years) {
    const char dezimal = FormatSettings().DecimalSeparator;
    return prefix + " " + (sex == GeschlechtMaennlich ? "m" : "w") + " " + std::to_string(age) +
           " " + FloatToShortest(monthlyAmount, dezimal) + " " + std::to_string(profile) + " " +
           FloatToShortest(dynamik, dezimal) + " " + std::to_string(years) + ".txt";
}

namespace {
// The delivered files are written with a decimal comma; they read the same
// whatever the regional settings of the system.
constexpr char DateiDezimaltrenner = ',';
} // namespace

std::int32_t FRV_Ganzzahl(std::string_view line) {
    std::size_t a = 0, b = line.size();
    while (a < b && static_cast<unsigned char>(line[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(line[b - 1]) <= ' ')
        --b;
    std::string text(line.substr(a, b - a));
    for (char& c : text)
        if (c == '.')
            c = ',';
    double v = 0;
    if (!TextToFloat(text, v, DateiDezimaltrenner))
        return 0;
    const double ganz = std::trunc(v);
    if (ganz < -2147483648.0 || ganz > 2147483647.0)
        return 0;
    return static_cast<std::int32_t>(ganz);
}

double FRV_Wert(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (char c : line)
        if (c != '.')
            text += c;
    double v = 0;
    if (!TextToFloat(text, v, DateiDezimaltrenner))
        return 0;
    return v;
}

namespace {

// Text file read line by line; past its end every line is empty. A failing
// read is an input/output error with the system's reason.
class TZeilenleser {
public:
    explicit TZeilenleser(TTextFile& datei) : FDatei(datei) {}
    bool amEnde() const { return FDatei.AtEnd(); }

    std::string zeile() {
        std::string z;
        if (!FDatei.ReadLine(z) && FDatei.Error() != 0)
            ThrowInOutErrno(FDatei.Error());
        return z;
    }

private:
    TTextFile& FDatei;
};

std::string pfadIn(const std::string& verzeichnis, const std::string& name) {
    if (verzeichnis.empty())
        return name;
    if (verzeichnis.back() == '/')
        return verzeichnis + name;
    return verzeichnis + "/" + name;
}

} // namespace

bool load_FRV_Data(const std::string& prefix, std::int32_t sex, std::int32_t age,
                   double monthlyAmount, std::int32_t profile, double dynamik, std::int32_t years,
                   const double rates[4], TPerformanceDataArray& table,
                   const std::string& directory) {
    const std::string pfad =
        pfadIn(directory, FRV_Dateiname(prefix, sex, age, monthlyAmount, profile, dynamik, years));
    // Only a regular file is a comparison file: a directory, FIFO or device
    // of that name is as good as none (a FIFO would block the reader).
    if (os::StatusOf(pfad).Kind != os::TFileKind::Regular)
        return false;

    TTextFile datei(TTextFile::LineEnds::Lf);
    if (!datei.Open(pfad)) {
        if (InOutErrorCode(datei.Error()) == IoFileNotFound ||
            os::StatusOf(pfad).Kind != os::TFileKind::Regular)
            return false; // vanished or replaced since the look-up
        ThrowInOutErrno(datei.Error());
    }
    TZeilenleser leser(datei);
    for (int z = 1; z <= 8; ++z)
        leser.zeile();
    FRV_Ganzzahl(leser.zeile()); // years of the file: the plan's Anlagedauer decides
    const std::int32_t N = FRV_Ganzzahl(leser.zeile());

    bool found = true;
    for (int i = 0; i < 4; ++i) {
        const double rate = FRV_Wert(leser.zeile());
        if (found)
            found = rate == rates[i];
    }
    if (found && years > 0) {
        for (std::int32_t y = 1; y <= years; ++y) {
            for (int z = 0; z < 3; ++z)
                leser.zeile();
            for (std::int32_t j = 1; j <= N; ++j) {
                // Past the end every further value reads as 0 and is not kept.
                if (j > 4 && leser.amEnde())
                    break;
                const double wert = FRV_Wert(leser.zeile());
                // Only the four checked scenario columns take values; further
                // values of a year are read past so the next year stays in step.
                if (j <= 4 && static_cast<std::size_t>(y) < table.size())
                    table[y].FRV_Wert[j] = wert;
            }
        }
    }
    return found;
}

bool FRVLookupApplies(const TPlanRecord& rec) {
    return rec.Anlageart == KindAufbauplan && rec.Einzahlungsdauer == rec.Laufzeit;
}

std::string FRV_DateinameFuerPlan(const TPlanRecord& rec) {
    return FRV_Dateiname(FRV_Praefix, rec.Geschlecht, rec.Eintrittsalter, rec.Sparbetrag,
                         rec.FRV_Parameter, AngewandteDynamik(rec), rec.Laufzeit);
}

bool LadeFRVFuerPlan(const TPlanRecord& rec, TPerformanceDataArray& table,
                     const std::string& directory) {
    const double rates[4] = {rec.Performance[1], rec.Performance[2], rec.Performance[3],
                             rec.Performance[4]};
    return load_FRV_Data(FRV_Praefix, rec.Geschlecht, rec.Eintrittsalter, rec.Sparbetrag,
                         rec.FRV_Parameter, AngewandteDynamik(rec), rec.Laufzeit, rates, table,
                         directory);
}

} // namespace orvanta
