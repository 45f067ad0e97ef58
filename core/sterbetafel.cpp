#include "core/sterbetafel.h"

#include "core/numbertext.h"
#include "core/planrecord.h"
#include "core/textfile.h"

#include <string_view>

namespace orvanta {

TSterbetafel::TSterbetafel(const std::string& verzeichnis) {
    Laden(verzeichnis);
}

namespace {

// The field before the first ";" and the rest after it (empty without ";").
std::string_view feld(std::string_view& rest) {
    const std::size_t pos = rest.find(';');
    if (pos == std::string_view::npos) {
        const std::string_view f = rest;
        rest = {};
        return f;
    }
    const std::string_view f = rest.substr(0, pos);
    rest = rest.substr(pos + 1);
    return f;
}

// The delivered file is written with a decimal comma, whatever the regional
// settings of the system it runs on; a full stop is read as well.
bool dateiZahl(std::string_view text, double& wert) {
    return TextToFloat(text, wert, ',') || TextToFloat(text, wert, '.');
}

} // namespace

void TSterbetafel::Laden(const std::string& verzeichnis) {
    FZeilen.clear();
    std::string pfad = verzeichnis;
    if (!pfad.empty() && pfad.back() != '/')
        pfad += '/';
    pfad += Dateiname;

    TTextFile datei(TTextFile::LineEnds::Any);
    if (!datei.Open(pfad))
        return;
    Laden(datei);
}

void TSterbetafel::Laden(TTextFile& datei) {
    FZeilen.clear();
    std::string zeileText;
    if (!datei.ReadLine(zeileText)) // the header
        return;
    // Each line is converted as soon as it is read: a read error later in the
    // file keeps the rows before it.
    while (datei.ReadLine(zeileText)) {
        FZeilen.push_back(Sterbetafel_Zeile{});
        Sterbetafel_Zeile& zeile = FZeilen.back();
        std::string_view rest = zeileText;
        const std::string_view alter = feld(rest);
        // The rest after the age is held in a text of at most 255 characters.
        if (rest.size() > 255)
            rest = rest.substr(0, 255);
        const std::string_view maenner = feld(rest);
        const std::string_view frauen = feld(rest);

        if (!TextToInt(alter, zeile.Alter))
            return;
        if (!dateiZahl(maenner, zeile.Maenner))
            return;
        if (!dateiZahl(frauen, zeile.Frauen))
            return;
    }
}

const Sterbetafel_Zeile* TSterbetafel::Zeile(std::int32_t alter) const {
    for (const Sterbetafel_Zeile& z : FZeilen)
        if (z.Alter == alter)
            return &z;
    if (FZeilen.empty())
        return nullptr;
    if (alter < FZeilen.front().Alter)
        return &FZeilen.front();
    if (alter > FZeilen.back().Alter)
        return &FZeilen.back();
    return nullptr;
}

double TSterbetafel::Lebenserwartung(std::int32_t alter, std::int32_t geschlecht) const {
    const Sterbetafel_Zeile* z = Zeile(alter);
    if (z == nullptr)
        return 0;
    if (geschlecht == GeschlechtMaennlich)
        return z->Maenner;
    if (geschlecht == GeschlechtWeiblich)
        return z->Frauen;
    return 0;
}

} // namespace orvanta
