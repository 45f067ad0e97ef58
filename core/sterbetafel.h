#pragma once
// The mortality table: remaining life expectancy by age for men and women,
// read once from Sterbetafel_2004.csv in the program's directory.

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

class TTextFile;

struct Sterbetafel_Zeile {
    std::int32_t Alter = 0;
    double Maenner = 0; // remaining years of life of a man of that age
    double Frauen = 0;  // the same for a woman
};

class TSterbetafel {
public:
    static constexpr const char* Dateiname = "Sterbetafel_2004.csv";

    TSterbetafel() = default;
    // Loads directory + Dateiname (a separator is added when missing).
    explicit TSterbetafel(const std::string& verzeichnis);

    // Loading never reports a failure: a missing file or one that cannot be
    // opened leaves the table empty; a read error or a line that does not
    // convert ends the loading with the rows read so far (including the
    // partly filled row of a line that does not convert). Lines end at CR LF,
    // LF or a lone CR. Decimal numbers are read with a decimal comma or
    // a full stop, whatever the regional settings.
    void Laden(const std::string& verzeichnis);
    // The same from a file already opened (its first line is the header).
    void Laden(TTextFile& datei);

    // Rows in the order of the file: neither sorted nor free of duplicates.
    const std::vector<Sterbetafel_Zeile>& Zeilen() const { return FZeilen; }

    // The first row of that age; outside the range of the table the first
    // or the last row; null when there is none.
    const Sterbetafel_Zeile* Zeile(std::int32_t alter) const;

    // Remaining life expectancy in years for sex 1 (male) or 2 (female);
    // 0 for any other sex and when no row is found.
    double Lebenserwartung(std::int32_t alter, std::int32_t geschlecht) const;

private:
    std::vector<Sterbetafel_Zeile> FZeilen;
};

} // namespace orvanta
