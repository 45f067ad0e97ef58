#include "core/zugriff.h"

#include "core/cp1252.h"
#include "core/speicherschutz.h"
#include "core/xorcodierung.h"

namespace orvanta {

TPasswoerter KlartextPasswoerter(const TPlanRecord& rec) {
    return {XorCodierung(rec.Passwort_1.view()), XorCodierung(rec.Passwort_2.view()),
            XorCodierung(rec.Passwort_3.view())};
}

bool GleicheBytes(std::string_view entry, std::string_view stored) {
    // Walk the whole entry whatever the stored text holds; bytes beyond the
    // stored text compare against 0 and the length difference counts too.
    unsigned diff = entry.size() == stored.size() ? 0u : 1u;
    const std::size_t n = stored.size();
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const unsigned s = i < n ? static_cast<unsigned char>(stored[i]) : 0u;
        diff |= static_cast<unsigned char>(entry[i]) ^ s;
    }
    return diff == 0;
}

int Zugangsstufe(std::string_view entryCp1252, const TPasswoerter& passwoerter) {
    int stufe = 0;
    for (int k = 0; k < 3; ++k) {
        const std::string& pw = passwoerter[static_cast<std::size_t>(k)];
        // Evaluate the comparison first so that every password costs the same.
        const bool gleich = GleicheBytes(entryCp1252, pw);
        if (gleich && !pw.empty())
            stufe = k + 1;
    }
    return stufe;
}

int ZugangsstufeUtf16(std::u16string_view entry, const TPasswoerter& passwoerter) {
    // Reserved once: no reallocation leaves a copy of the bytes behind.
    std::string bytes;
    bytes.reserve(entry.size());
    bool darstellbar = true;
    for (char16_t unit : entry) {
        unsigned char byte = 0;
        // Half of a pair outside the basic plane has no byte either.
        if (!CodePointToCp1252(unit, byte)) {
            darstellbar = false;
            break;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    const int stufe = darstellbar ? Zugangsstufe(bytes, passwoerter) : 0;
    Ueberschreiben(bytes); // the converted entry must not stay in freed memory
    return stufe;
}

} // namespace orvanta
