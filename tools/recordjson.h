#pragma once
// The plan record as JSON, for orvanta-tool: every named field under its
// record name, texts as UTF-8, arrays as JSON arrays starting with the
// field's first index (Performance[0], AP_Satz_FRV_Tabelle[1], ...).

#include "core/planrecord.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>

#include <string>

namespace orvanta::tool {

// Every named field of rec. Bool8 fields become true/false, int32 and double
// fields numbers, texts strings (Windows-1252 decoded, so the scrambled
// passwords appear as they are stored).
QJsonObject PlanRecordToJson(const TPlanRecord& rec);

// Sets the fields that obj names; fields it leaves out keep their value.
// A password field also takes {"Klartext": "..."}: the text is then
// scrambled with XorCodierung before it is stored.
// Throws EConvertError with a German text naming the field when a key is no
// field, a value has the wrong type or range, an array the wrong length, or a
// text is too long or has a character outside Windows-1252.
void PlanRecordFromJson(TPlanRecord& rec, const QJsonObject& obj);

// The shortest decimal form that reads back to the same double ("0.1",
// "0.30000000000000004", "1e+22"; "-0.0" keeps the sign of a negative zero).
// JSON has no number for the values that are not finite: they are the
// strings "Infinity", "-Infinity" and "NaN" (a NaN with other bits than the
// usual one as "NaN:" and its 16 hexadecimal digits, so no bit is lost).
std::string ShortestDouble(double value);

// A double for the JSON tree, printed by JsonText as ShortestDouble prints it.
QJsonValue DoubleToJson(double value);

// Reads what DoubleToJson writes: a number or one of the strings above.
// False for anything else.
bool DoubleFromJson(const QJsonValue& v, double& value);

// The JSON reader drops the sign of a negative zero: the text with every
// negative zero number (-0, -0.0, -0e5) written as the string "-0.0", which
// DoubleFromJson reads back as -0.0. Strings are left as they are.
QByteArray NegativeZerosAsText(const QByteArray& json);

// JSON text of value: numbers via ShortestDouble, object keys in the order
// QJsonObject keeps them (alphabetical), arrays of plain values on one line.
// Indented with two blanks and ending in a newline unless compact.
std::string JsonText(const QJsonValue& value, bool compact = false);

// The whole record as JSON text, fields in record order.
std::string PlanRecordJsonText(const TPlanRecord& rec);

} // namespace orvanta::tool
