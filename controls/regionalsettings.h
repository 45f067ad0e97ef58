#pragma once
// The regional number format of the running system, as the number fields and
// report pages use it (see core/formatsettings.h).

#include "core/formatsettings.h"

#include <QLocale>

namespace orvanta {

// Decimal and thousands separator of a locale. The C/POSIX locale (a system
// without any regional setting) gives the German separators. Separators that
// are no single ASCII character are mapped: no-break spaces to a blank, the
// typographic apostrophe to "'", anything else to the German pair.
TFormatSettings formatSettingsFromLocale(const QLocale& locale);

// Sets the process-wide separators from QLocale::system(); the program calls
// it once at start. Returns what it set.
TFormatSettings applySystemFormatSettings();

} // namespace orvanta
