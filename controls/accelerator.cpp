#include "controls/accelerator.h"

#include "controls/teditcombo.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

namespace orvanta {

QChar AcceleratorChar(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toUpper();
    }
    return QChar();
}

QString StripAccelerator(const QString& caption) {
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        result.append(caption.at(i));
    }
    return result;
}

QChar KeyEventChar(const QKeyEvent& event) {
    const int key = event.key();
    // Qt's key codes equal the Latin-1 code points for letters and digits,
    // including the umlauts; the text is unreliable while Alt is held.
    if (key > 0 && key <= 0xff) {
        const QChar c(static_cast<char16_t>(key));
        if (c.isLetterOrNumber())
            return c.toUpper();
    }
    return QChar();
}

bool CanFocus(const QWidget* control) {
    return control && control->isEnabled() && control->isVisibleTo(control->window());
}

bool TakesTypedCharacters(const QWidget* control) {
    if (!control)
        return false;
    if (control->testAttribute(Qt::WA_InputMethodEnabled))
        return true;
    return qobject_cast<const QLineEdit*>(control) ||
           qobject_cast<const QAbstractSpinBox*>(control) ||
           qobject_cast<const QTextEdit*>(control) ||
           qobject_cast<const QPlainTextEdit*>(control) ||
           qobject_cast<const QComboBox*>(control) ||
           qobject_cast<const QAbstractItemView*>(control) ||
           qobject_cast<const TEditCombo*>(control);
}

void SetAcceleratorKey(QShortcut& shortcut, const QString& caption, bool active) {
    const QChar letter = AcceleratorChar(caption);
    if (letter.isNull() || !active)
        shortcut.setKey(QKeySequence());
    else
        shortcut.setKey(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(letter.unicode()))));
}

} // namespace orvanta
