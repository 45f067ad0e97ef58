#pragma once
// Notes: the fixed sheet of legal and product notes the other pages refer to.

#include "reports/pageelements.h"

#include <vector>

namespace orvanta::reports {

class TQR_Hinweise : public TOrvantaReport {
public:
    TQR_Hinweise(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // The notes text as printed: one entry per line, hyphenated by hand.
    enum class TLineKind { Heading, Subheading, Body, BodyEmphasis, Gap };
    struct TLine {
        TLineKind Kind;
        const char16_t* Text;
    };
    static const std::vector<TLine>& Lines();
    static constexpr double TextLeft = 5.3;
    static constexpr double TextWidth = 171.0;

private:
    TReportItem* Von;
};

} // namespace orvanta::reports
