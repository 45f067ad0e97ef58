#include "controls/tedittext.h"

#include "core/cp1252.h"

#include <QCollator>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLocale>

namespace orvanta {

namespace {

// The pattern with "%s" replaced by the value and "%%" by "%".
QString ApplyPattern(const QString& pattern, const QString& value) {
    if (pattern.isEmpty())
        return value;
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size()) {
            const QChar next = pattern.at(i + 1);
            if (next == QLatin1Char('s')) {
                out += value;
                ++i;
                continue;
            }
            if (next == QLatin1Char('%')) {
                out += c;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

int CompareIgnoringCase(const QString& a, const QString& b) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator.compare(a, b);
}

} // namespace

TEditText::TEditText(QWidget* parent) : TCustomUserEdit(parent) {
    setMaxLength(MaxLength);
    Refresh();
    connect(this, &QLineEdit::textEdited, this, &TEditText::DropInvalidCharacters);
}

void TEditText::DropInvalidCharacters() {
    const QString t = text();
    QString kept;
    kept.reserve(t.size());
    int cursor = cursorPosition();
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (IsValidChar(t.at(i)))
            kept += t.at(i);
        else if (i < cursorPosition())
            --cursor;
    }
    if (kept.size() == t.size())
        return;
    ReplaceTextKeepModified(kept);
    setCursorPosition(cursor);
}

void TEditText::SetValueAt(TValueIndex index, const QString& value) {
    const QString v = value.left(MaxLength);
    WriteValueStore(FValues, index, v, !v.isEmpty());
}

void TEditText::ShowValue() {
    setText(ApplyPattern(Editing() ? FormatEdit() : FormatView(), FValues[viValue]));
}

bool TEditText::Validate() {
    if (text().isEmpty() && !InNotification())
        ReplaceTextKeepModified(FValues[viDef]);
    SetErrorKind(ekNone);
    if ((CheckMode() & ucmMinCheck) && CompareIgnoringCase(text(), FValues[viMin]) < 0)
        SetErrorKind(ekTooSmall);
    else if ((CheckMode() & ucmMaxCheck) && CompareIgnoringCase(text(), FValues[viMax]) > 0)
        SetErrorKind(ekTooLarge);
    return ErrorKind() == ekNone;
}

QString TEditText::GetErrorText() const {
    if (ErrorKind() == ekNotValid)
        return QStringLiteral("Der Eingabewert liegt nicht im gültigen Bereich!");
    return BoundErrorText(FValues[viMin], FValues[viMax]);
}

void TEditText::TakeOverText() {
    FValues[viValue] = text().left(MaxLength);
    FValues[viLast] = FValues[viValue];
}

bool TEditText::IsValidChar(QChar c) const {
    // A UTF-16 unit: each half of a surrogate pair has no Windows-1252 byte.
    unsigned char byte = 0;
    return c != QLatin1Char('\t') && CodePointToCp1252(c.unicode(), byte);
}

void TEditText::Undo() {
    SetValue(FValues[viLast]);
}

void TEditText::focusOutEvent(QFocusEvent* event) {
    TCustomUserEdit::focusOutEvent(event);
    // A long text shows its beginning once the field is left.
    if (!Editing() && !hasFocus() &&
        fontMetrics().horizontalAdvance(text()) > contentsRect().width())
        setCursorPosition(0);
}

} // namespace orvanta
