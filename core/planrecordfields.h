#pragma once
// A table of every named field of the plan record, so that conversions (JSON,
// dumps) and tests can walk the record without naming each field again.

#include "core/planrecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvanta {

enum class TFieldKind { Int32, Double, Bool8, SString };

struct TPlanRecordField {
    const char* Name;   // as in TPlanRecord
    std::size_t Offset; // of the first element, from the start of the record
    TFieldKind Kind;
    std::size_t Capacity; // sstr: maximum number of characters; others 0
    int Count;            // number of elements; 1 for a scalar field
    int FirstIndex;       // index of the first element (0 for scalars)
    bool isArray() const { return Count > 1; }
    // Bytes one element occupies in the record.
    std::size_t elementSize() const;
};

// All named fields in record order; unused byte ranges are not listed.
std::span<const TPlanRecordField> PlanRecordFields();
// nullptr when no field has that name.
const TPlanRecordField* FindPlanRecordField(std::string_view name);

// Element access by field and element index (FirstIndex-based). The kind must
// match the field; the index must lie in FirstIndex .. FirstIndex + Count - 1.
std::int32_t GetInt32(const TPlanRecord& rec, const TPlanRecordField& f, int index = 0);
double GetDouble(const TPlanRecord& rec, const TPlanRecordField& f, int index = 0);
bool GetBool8(const TPlanRecord& rec, const TPlanRecordField& f, int index = 0);
// Raw Windows-1252 bytes of the text (at most Capacity).
std::string GetText(const TPlanRecord& rec, const TPlanRecordField& f, int index = 0);

void SetInt32(TPlanRecord& rec, const TPlanRecordField& f, int index, std::int32_t value);
void SetDouble(TPlanRecord& rec, const TPlanRecordField& f, int index, double value);
void SetBool8(TPlanRecord& rec, const TPlanRecordField& f, int index, bool value);
// Stores the first Capacity bytes; bytes after the text keep their contents.
void SetText(TPlanRecord& rec, const TPlanRecordField& f, int index, std::string_view cp1252);

} // namespace orvanta
