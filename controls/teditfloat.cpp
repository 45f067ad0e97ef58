#include "controls/teditfloat.h"

#include "controls/errordisplay.h"
#include "core/formatsettings.h"
#include "core/numberparse.h"
#include "core/numberpattern.h"

#include <QApplication>
#include <QKeyEvent>

#include <cmath>

namespace orvanta {

namespace {

QString Formatted(const QString& pattern, double value) {
    return QString::fromStdString(FormatFloat(pattern.toStdString(), value));
}

QString General(double value) {
    return QString::fromStdString(FormatFloatGeneral(value));
}

QString Fixed(double value, int decimals) {
    return QString::fromStdString(FormatFloatFixed(value, decimals));
}

QChar DecimalSeparator() {
    return QLatin1Char(FormatSettings().DecimalSeparator);
}

QChar ThousandSeparator() {
    return QLatin1Char(FormatSettings().ThousandSeparator);
}

} // namespace

TEditFloat::TEditFloat(QWidget* parent) : TCustomUserEdit(parent) {
    Refresh();
}

void TEditFloat::SetValueAt(TValueIndex index, double value) {
    WriteValueStore(FValues, index, value, value != 0);
}

void TEditFloat::SetDecimals(std::uint8_t decimals) {
    FDecimals = decimals;
    if (!(Editing() && isModified()))
        Refresh();
}

void TEditFloat::ShowValue() {
    const double value = FValues[viValue];
    QString text;
    if (Editing())
        text = EditText(value);
    else if (!FormatView().isEmpty())
        text = Formatted(FormatView(), value);
    else if (FDecimals > 0)
        text = Fixed(value, FDecimals);
    else
        text = General(value);
    setText(text);
}

bool TEditFloat::Validate() {
    if (text().isEmpty())
        ReplaceTextKeepModified(General(FValues[viDef]));
    double number = 0;
    if (ParseText(number))
        CheckBounds(number);
    else
        SetErrorKind(ekNotValid);
    return ErrorKind() == ekNone;
}

void TEditFloat::CheckBounds(double number) {
    if ((CheckMode() & ucmMinCheck) && FValues[viMin] > number)
        SetErrorKind(ekTooSmall);
    else if ((CheckMode() & ucmMaxCheck) && FValues[viMax] < number)
        SetErrorKind(ekTooLarge);
    else
        SetErrorKind(ekNone);
}

QString TEditFloat::EditText(double value) const {
    return FormatEdit().isEmpty() ? General(value) : Formatted(FormatEdit(), value);
}

QString TEditFloat::GetErrorText() const {
    if (ErrorKind() == ekNotValid)
        return QStringLiteral("Der Eingabewert liegt nicht im gültigen Bereich!\n%1 ist keine "
                              "gültige Zahl")
            .arg(text());
    return BoundErrorText(Fixed(FValues[viMin], FDecimals), Fixed(FValues[viMax], FDecimals));
}

bool TEditFloat::ParseText(double& number) const {
    if (!TryReadTypedNumber(text().toStdString(), number))
        return false;
    if (FWholeNumbers)
        number = std::trunc(number) + 0.0; // + 0.0: no negative zero
    return true;
}

void TEditFloat::TakeOverText() {
    double number = FValues[viValue];
    ParseText(number); // validated before
    FValues[viValue] = number;
    FValues[viLast] = number;
    // The field shows what it took over, not the fraction it dropped.
    if (FWholeNumbers)
        ReplaceTextKeepModified(EditText(number));
}

bool TEditFloat::IsValidChar(QChar c) const {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
           c == DecimalSeparator() || c == ThousandSeparator();
}

void TEditFloat::Undo() {
    SetValue(FValues[viLast]);
}

namespace {
bool IsCurrencyKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    return (event->modifiers() & ctrlAlt) == ctrlAlt &&
           (event->key() == Qt::Key_E || event->key() == Qt::Key_D);
}
} // namespace

bool TEditFloat::event(QEvent* event) {
    // The conversion keys belong to the field, not to a window shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        IsCurrencyKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return TCustomUserEdit::event(event);
}

bool TEditFloat::HandleSpecialKey(QKeyEvent* event) {
    if (!IsCurrencyKey(event))
        return false;
    double converted = 0;
    try {
        CommitEntry();
        const double value = Value();
        converted = event->key() == Qt::Key_E ? value / DMRate : value * DMRate;
    } catch (const EUserEditError& e) {
        ShowErrorMessage(e.Text, this);
        return true;
    }
    // The converted amount is the user's entry: the bounds hold for it, and
    // the window hears of it as of a typed one, so that it is saved at once.
    CheckBounds(converted);
    if (ErrorKind() != ekNone) {
        QApplication::beep();
        ShowErrorMessage(ErrorText(), this);
        return true;
    }
    SetValue(converted);
    NotifyEntry();
    return true;
}

void TEditFloat::keyPressEvent(QKeyEvent* event) {
    // The keypad's decimal key means the decimal separator, whatever
    // character the keyboard layout gives it.
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (event->text() == QLatin1String(".") || event->text() == QLatin1String(",")) &&
        event->text().at(0) != DecimalSeparator()) {
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(),
                         QString(DecimalSeparator()), event->isAutoRepeat(),
                         static_cast<ushort>(event->count()));
        TCustomUserEdit::keyPressEvent(&mapped);
        event->setAccepted(mapped.isAccepted());
        return;
    }
    TCustomUserEdit::keyPressEvent(event);
}

} // namespace orvanta
