#pragma once
// The mortality table: remaining life expectancy by age for men and women,
// read once from Sterbetafel_2004.csv in the program's directory.

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

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

    // Loading never reports a failure: a missing or unreadable file leaves
    // the table empty, and a line that does not convert ends the loading
    // with the rows read so far (including the partly filled failing row).
    // Decimal numbers use the decimal separator of FormatSettings().
    void Laden(const std::string& verzeichnis);

    // Rows in the order of the file: neither sorted nor free of duplicates.
    const std::vector<Sterbetafel_Zeile>& Zeilen() const { return zeilen_; }

    // The first row of that age; outside the range of the table the first
    // or the last row; null when there is none.
    const Sterbetafel_Zeile* Zeile(std::int32_t alter) const;

    // Remaining life expectancy in years for sex 1 (male) or 2 (female);
    // 0 for any other sex and when no row is found.
    double Lebenserwartung(std::int32_t alter, std::int32_t geschlecht) const;

private:
    std::vector<Sterbetafel_Zeile> zeilen_;
};

} // namespace orvanta
