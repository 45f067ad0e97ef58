// What the file services share on every system: the names of temporary files.

#include "core/osfile.h"

namespace orvanta::os {

namespace {

constexpr const char* TempSuffix = ".tmp";
constexpr std::size_t TempRandomLength = 6;

bool isTempCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

bool IsTempNameOf(const std::string& name, const std::string& base) {
    const std::string suffix = TempSuffix;
    if (name.size() != base.size() + 1 + TempRandomLength + suffix.size() ||
        name.compare(0, base.size(), base) != 0 || name[base.size()] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = 0; i < TempRandomLength; ++i)
        if (!isTempCharacter(name[base.size() + 1 + i]))
            return false;
    return true;
}

} // namespace orvanta::os
