// The FRV comparison file reader: the input is the file the demo plan looks
// up; the rates of the seeds match, so the values are read as well.

#include "fuzzinput.h"

#include "core/errors.h"
#include "core/frvdata.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvanta;
    static const std::string dir = [] {
        char tmpl[] = "/tmp/orvanta-fuzz-frv-XXXXXX";
        if (!::mkdtemp(tmpl))
            __builtin_trap();
        return std::string(tmpl);
    }();
    static const std::string name = FRV_Dateiname(FRV_Praefix, 1, 35, 100, 1, 5, 30);
    const std::string path = dir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        __builtin_trap();
    std::fclose(f);

    const double rates[4] = {0, 3, 6, 9};
    TPerformanceDataArray table(31);
    try {
        (void)load_FRV_Data(FRV_Praefix, 1, 35, 100, 1, 5, 30, rates, table, dir);
    } catch (const EOrvantaError&) {
    }
    return 0;
}
