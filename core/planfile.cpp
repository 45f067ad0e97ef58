#include "core/planfile.h"

#include "core/errors.h"
#include "core/osfile.h"
#include "core/planrecordfields.h"
#include "core/version.h"

#include <cstring>

namespace orvanta {

namespace {

constexpr const char* DataFileName = "Orvan.Dat";

// The bytes behind each text's length may hold what a longer earlier text
// left there: another customer's name. No reader looks at them, so every
// write fills them with zeros.
TPlanRecord withCleanTexts(const TPlanRecord& rec) {
    TPlanRecord clean = rec;
    auto* bytes = reinterpret_cast<unsigned char*>(&clean);
    for (const PlanRecordField& f : PlanRecordFields()) {
        if (f.Kind != FieldKind::SString)
            continue;
        for (int k = 0; k < f.Count; ++k) {
            unsigned char* text = bytes + f.Offset + k * f.elementSize();
            const std::size_t len = text[0] < f.Capacity ? text[0] : f.Capacity;
            std::memset(text + 1 + len, 0, f.Capacity - len);
        }
    }
    return clean;
}

} // namespace

std::string DataFilePath(const std::string& programDir) {
    if (programDir.empty() || programDir.back() == '/')
        return programDir + DataFileName;
    return programDir + '/' + DataFileName;
}

void ReadPlanRecordFile(TPlanRecord& rec, const std::string& path, OpenFor mode) {
    os::TFile file;
    if (!file.Open(path, mode == OpenFor::ReadingAndWriting ? os::TFile::Access::ReadWrite
                                                            : os::TFile::Access::Read))
        ThrowInOutErrno(file.Error());
    // Take the bytes over only when the whole record is there: a short file
    // must not leave a half-overwritten record behind.
    unsigned char buf[PlanRecordSize];
    std::size_t got = 0;
    if (!file.ReadFully(buf, sizeof buf, got))
        ThrowInOutErrno(file.Error());
    if (got < sizeof buf)
        ThrowInOutError(IoReadBeyondEnd);
    std::memcpy(&rec, buf, sizeof buf);
}

void LoadPlanRecord(TPlanRecord& rec, const std::string& path) {
    ReadPlanRecordFile(rec, path, OpenFor::ReadingAndWriting);
    rec.Version.assign(ProgramVersion);
}

void SavePlanRecord(const TPlanRecord& rec, const std::string& path) {
    const TPlanRecord clean = withCleanTexts(rec);
    os::ReplaceContent(path, &clean, PlanRecordSize);
}

int RemoveStaleTempFiles(const std::string& path, std::chrono::seconds minAge) {
    return os::RemoveStaleTempFiles(path, minAge);
}

} // namespace orvanta
