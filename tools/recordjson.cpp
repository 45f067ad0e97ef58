#include "tools/recordjson.h"

#include "core/cp1252.h"
#include "core/errors.h"
#include "core/planrecordfields.h"
#include "core/xorcodierung.h"

#include <QJsonArray>
#include <QString>

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace orvanta::tool {

namespace {

// A number JsonText prints as it stands: the JSON tree cannot keep the sign
// of a negative zero. Record texts never hold U+FFFF.
const QChar RohZahl(0xFFFF);

QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QJsonValue elementToJson(const TPlanRecord& rec, const TPlanRecordField& f, int index) {
    switch (f.Kind) {
    case TFieldKind::Int32:
        return GetInt32(rec, f, index);
    case TFieldKind::Double:
        return DoubleToJson(GetDouble(rec, f, index));
    case TFieldKind::Bool8:
        return GetBool8(rec, f, index);
    case TFieldKind::SString:
        return toQString(Cp1252ToUtf8(GetText(rec, f, index)));
    }
    return {};
}

QJsonValue fieldToJson(const TPlanRecord& rec, const TPlanRecordField& f) {
    if (!f.isArray())
        return elementToJson(rec, f, f.FirstIndex);
    QJsonArray arr;
    for (int i = f.FirstIndex; i < f.FirstIndex + f.Count; ++i)
        arr.append(elementToJson(rec, f, i));
    return arr;
}

[[noreturn]] void bad(const std::string& where, const std::string& what) {
    throw EConvertError("Feld " + where + ": " + what);
}

std::string textFromJson(const TPlanRecordField& f, const QJsonValue& v, const std::string& where) {
    const bool password = std::string_view(f.Name).starts_with("Passwort_");
    bool plain = false;
    QString text;
    if (v.isString()) {
        text = v.toString();
    } else if (password && v.isObject() && v.toObject().size() == 1 &&
               v.toObject().value("Klartext").isString()) {
        text = v.toObject().value("Klartext").toString();
        plain = true;
    } else {
        bad(where, password ? "Text oder {\"Klartext\": \"...\"} erwartet" : "Text erwartet");
    }
    const QByteArray utf8 = text.toUtf8();
    std::string cp;
    if (!TryUtf8ToCp1252(std::string_view(utf8.constData(), utf8.size()), cp))
        bad(where, "Zeichen außerhalb von Windows-1252");
    if (cp.size() > f.Capacity)
        bad(where, "Text länger als " + std::to_string(f.Capacity) + " Zeichen");
    return plain ? XorCodierung(cp) : cp;
}

void elementFromJson(TPlanRecord& rec, const TPlanRecordField& f, int index, const QJsonValue& v,
                     const std::string& where) {
    switch (f.Kind) {
    case TFieldKind::Int32: {
        const double d = v.toDouble();
        if (!v.isDouble() || std::trunc(d) != d || d < std::numeric_limits<std::int32_t>::min() ||
            d > std::numeric_limits<std::int32_t>::max())
            bad(where, "ganze Zahl (32 Bit) erwartet");
        SetInt32(rec, f, index, static_cast<std::int32_t>(d));
        break;
    }
    case TFieldKind::Double: {
        double d = 0;
        if (!DoubleFromJson(v, d))
            bad(where, "Zahl erwartet (oder \"NaN\", \"Infinity\", \"-Infinity\")");
        SetDouble(rec, f, index, d);
        break;
    }
    case TFieldKind::Bool8:
        if (!v.isBool())
            bad(where, "true oder false erwartet");
        SetBool8(rec, f, index, v.toBool());
        break;
    case TFieldKind::SString:
        SetText(rec, f, index, textFromJson(f, v, where));
        break;
    }
}

void appendUtf8(std::string& out, char32_t cp) {
    const QString one = QString::fromUcs4(&cp, 1);
    out += one.toUtf8().toStdString();
}

// Control characters, including the C1 block where the undefined
// Windows-1252 bytes of scrambled passwords land, are written as escapes so
// the text stays readable.
void appendString(std::string& out, const QString& s) {
    out += '"';
    for (const char32_t cp : s.toUcs4()) {
        switch (cp) {
        case U'"':
            out += "\\\"";
            break;
        case U'\\':
            out += "\\\\";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        default:
            if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(cp));
                out += buf;
            } else if (cp < 0x80) {
                out += static_cast<char>(cp);
            } else {
                appendUtf8(out, cp);
            }
        }
    }
    out += '"';
}

void appendNumber(std::string& out, const QJsonValue& v) {
    // Integers beyond 2^53 would lose digits as doubles.
    constexpr qint64 sentinel = std::numeric_limits<qint64>::min();
    const qint64 i = v.toInteger(sentinel);
    if (i != sentinel && (i > (qint64(1) << 53) || i < -(qint64(1) << 53))) {
        out += std::to_string(i);
        return;
    }
    out += ShortestDouble(v.toDouble());
}

// Arrays of numbers stay on one line; texts get a line each.
bool isPlain(const QJsonValue& v) {
    return v.isDouble() || v.isBool() || v.isNull() ||
           (v.isString() && (v.toString().startsWith(RohZahl) || v.toString().startsWith("NaN") ||
                             v.toString().endsWith("Infinity")));
}

constexpr std::uint64_t StandardNaN = 0x7FF8000000000000u;

void appendValue(std::string& out, const QJsonValue& v, bool compact, int level) {
    const auto newline = [&](int lvl) {
        if (!compact) {
            out += '\n';
            out.append(static_cast<std::size_t>(lvl) * 2, ' ');
        }
    };
    switch (v.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += "null";
        break;
    case QJsonValue::Bool:
        out += v.toBool() ? "true" : "false";
        break;
    case QJsonValue::Double:
        appendNumber(out, v);
        break;
    case QJsonValue::String: {
        const QString s = v.toString();
        if (s.startsWith(RohZahl))
            out += s.mid(1).toStdString();
        else
            appendString(out, s);
        break;
    }
    case QJsonValue::Array: {
        const QJsonArray arr = v.toArray();
        bool oneLine = true;
        for (const auto& e : arr)
            oneLine = oneLine && isPlain(e);
        out += '[';
        for (qsizetype k = 0; k < arr.size(); ++k) {
            if (k > 0)
                out += (compact || oneLine) ? (compact ? "," : ", ") : ",";
            if (!oneLine)
                newline(level + 1);
            appendValue(out, arr[k], compact, level + 1);
        }
        if (!oneLine && !arr.isEmpty())
            newline(level);
        out += ']';
        break;
    }
    case QJsonValue::Object: {
        const QJsonObject obj = v.toObject();
        out += '{';
        bool first = true;
        for (auto it = obj.begin(); it != obj.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            newline(level + 1);
            appendString(out, it.key());
            out += compact ? ":" : ": ";
            appendValue(out, it.value(), compact, level + 1);
        }
        if (!obj.isEmpty())
            newline(level);
        out += '}';
        break;
    }
    }
}

} // namespace

QJsonObject PlanRecordToJson(const TPlanRecord& rec) {
    QJsonObject obj;
    for (const auto& f : PlanRecordFields())
        obj.insert(QString::fromLatin1(f.Name), fieldToJson(rec, f));
    return obj;
}

void PlanRecordFromJson(TPlanRecord& rec, const QJsonObject& obj) {
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        const QByteArray key = it.key().toUtf8();
        const TPlanRecordField* f =
            FindPlanRecordField(std::string_view(key.constData(), key.size()));
        if (!f)
            throw EConvertError("Unbekanntes Feld: " + key.toStdString());
        const std::string name = key.toStdString();
        if (!f->isArray()) {
            elementFromJson(rec, *f, f->FirstIndex, it.value(), name);
            continue;
        }
        const QJsonArray arr = it.value().toArray();
        if (!it.value().isArray() || arr.size() != f->Count)
            bad(name, "Liste mit " + std::to_string(f->Count) + " Einträgen erwartet");
        for (int k = 0; k < f->Count; ++k) {
            const int index = f->FirstIndex + k;
            elementFromJson(rec, *f, index, arr[k], name + "[" + std::to_string(index) + "]");
        }
    }
}

QJsonValue DoubleToJson(double value) {
    if (std::isnan(value)) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        if (bits == StandardNaN)
            return QStringLiteral("NaN");
        char buf[40];
        std::snprintf(buf, sizeof buf, "NaN:%016llx", static_cast<unsigned long long>(bits));
        return QString::fromLatin1(buf);
    }
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0 && std::signbit(value))
        return QString(RohZahl) + QStringLiteral("-0.0");
    return value;
}

bool DoubleFromJson(const QJsonValue& v, double& value) {
    if (v.isDouble()) {
        value = v.toDouble();
        return true;
    }
    if (!v.isString())
        return false;
    const QString s = v.toString();
    if (s == QStringLiteral("NaN")) {
        value = std::bit_cast<double>(StandardNaN);
        return true;
    }
    if (s == QStringLiteral("-0.0")) { // from NegativeZerosAsText
        value = -0.0;
        return true;
    }
    if (s == QStringLiteral("Infinity") || s == QStringLiteral("-Infinity")) {
        value = s.startsWith('-') ? -HUGE_VAL : HUGE_VAL;
        return true;
    }
    if (s.startsWith(QStringLiteral("NaN:")) && s.size() == 20) {
        bool ok = false;
        const std::uint64_t bits = s.mid(4).toULongLong(&ok, 16);
        value = std::bit_cast<double>(bits);
        return ok && std::isnan(value);
    }
    return false;
}

QByteArray NegativeZerosAsText(const QByteArray& json) {
    QByteArray out;
    out.reserve(json.size());
    bool inString = false;
    for (qsizetype k = 0; k < json.size(); ++k) {
        const char c = json[k];
        if (inString) {
            out += c;
            if (c == '\\' && k + 1 < json.size())
                out += json[++k];
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        if (c == '-') {
            // A number token: "-", digits, fraction, exponent.
            qsizetype e = k + 1;
            bool nurNullen = true;
            while (e < json.size() &&
                   (std::isdigit(static_cast<unsigned char>(json[e])) || json[e] == '.')) {
                nurNullen = nurNullen && (json[e] == '0' || json[e] == '.');
                ++e;
            }
            const qsizetype mantisseEnde = e;
            if (e < json.size() && (json[e] == 'e' || json[e] == 'E')) {
                ++e;
                while (e < json.size() && (std::isdigit(static_cast<unsigned char>(json[e])) ||
                                           json[e] == '+' || json[e] == '-'))
                    ++e;
            }
            if (mantisseEnde > k + 1 && nurNullen) {
                out += "\"-0.0\"";
                k = e - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string ShortestDouble(double value) {
    if (std::isnan(value))
        return "\"NaN\"";
    if (std::isinf(value))
        return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    if (value == 0 && std::signbit(value))
        return "-0.0";
    // Plain digits in the range people read as money and rates (100000, not
    // 1e+05); exponents only for the very large and very small. Both forms
    // are the shortest that read back to the same bits.
    const double mag = std::fabs(value);
    const auto fmt = (mag == 0 || (mag >= 1e-6 && mag < 1e15)) ? std::chars_format::fixed
                                                               : std::chars_format::general;
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, fmt);
    return std::string(buf, res.ptr);
}

std::string JsonText(const QJsonValue& value, bool compact) {
    std::string out;
    appendValue(out, value, compact, 0);
    if (!compact)
        out += '\n';
    return out;
}

std::string PlanRecordJsonText(const TPlanRecord& rec) {
    const QJsonObject obj = PlanRecordToJson(rec);
    std::string out = "{";
    bool first = true;
    for (const auto& f : PlanRecordFields()) {
        if (!first)
            out += ',';
        first = false;
        out += "\n  \"";
        out += f.Name;
        out += "\": ";
        appendValue(out, obj.value(QString::fromLatin1(f.Name)), false, 1);
    }
    out += "\n}\n";
    return out;
}

} // namespace orvanta::tool
