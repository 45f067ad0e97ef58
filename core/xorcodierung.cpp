#include "core/xorcodierung.h"

namespace orvanta {

namespace {
// Windows-1252; "\xA7" is the section sign, "\xFC" u-umlaut.
constexpr char Key[] = "Orvanta"
                       "\xA7"
                       "VALMERA47-Schl"
                       "\xFC"
                       "ssel#06!";
static_assert(sizeof(Key) - 1 == XorKeyLength);
} // namespace

std::string XorCodierung(std::string_view s) {
    std::string r(s);
    for (std::size_t i = 0; i < r.size() && i < XorKeyLength; ++i)
        r[i] = static_cast<char>(static_cast<unsigned char>(r[i]) ^
                                 static_cast<unsigned char>(Key[i]));
    return r;
}

} // namespace orvanta
