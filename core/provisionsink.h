#pragma once
// Receiver of the commission figures of an accumulation calculation (the
// commission view). The calculation hands them over only when it succeeded,
// in the order they arise: AP first, then per year the trailing commission
// and, for an Aufbauplan, the FRV commission.

#include <vector>

namespace orvanta {

class TProvisionSink {
public:
    virtual ~TProvisionSink() = default;

    // Acquisition commission of the product; opens a new calculation.
    virtual void SetzeAP(double AP) = 0;
    // Trailing commission of year Jahr (1, 2, ...), its running sum and BP_Summe + AP.
    virtual void SetzeBP(int Jahr, double BP_Jahr, double BP_Summe, double BP_Gesamt) = 0;
    // FRV commission of year Jahr, FRV_Summe, AP_FRV and AP_FRV + FRV_Summe (Aufbauplan only).
    virtual void SetzeFRV(int Jahr, double FRV_Jahr, double FRV_Summe, double AP_FRV,
                          double FRV_Gesamt) = 0;
};

// Keeps the figures of the last calculation per year, as the commission view
// shows them. The FRV figures are replaced only by a calculation that
// delivers FRV figures, like the view's FRV columns.
class TProvisionsProtokoll : public TProvisionSink {
public:
    struct TBPJahr {
        double BP = 0;
        double BP_Summe = 0;
        double BP_Gesamt = 0;
    };
    struct TFRVJahr {
        double FRV = 0;
        double FRV_Summe = 0;
        double FRV_Gesamt = 0;
    };

    double AP = 0;
    double AP_FRV = 0;
    std::vector<TBPJahr> BP;   // index 0 is year 1
    std::vector<TFRVJahr> FRV; // index 0 is year 1

    void SetzeAP(double ap) override {
        AP = ap;
        BP.clear();
        FNeueFRV = true;
    }
    void SetzeBP(int jahr, double bp, double summe, double gesamt) override {
        if (jahr < 1)
            return;
        if (BP.size() < static_cast<std::size_t>(jahr))
            BP.resize(jahr);
        BP[jahr - 1] = {bp, summe, gesamt};
    }
    void SetzeFRV(int jahr, double frv, double summe, double apFrv, double gesamt) override {
        if (jahr < 1)
            return;
        if (FNeueFRV) {
            FRV.clear();
            FNeueFRV = false;
        }
        AP_FRV = apFrv;
        if (FRV.size() < static_cast<std::size_t>(jahr))
            FRV.resize(jahr);
        FRV[jahr - 1] = {frv, summe, gesamt};
    }

private:
    bool FNeueFRV = true;
};

} // namespace orvanta
