#include "dialogs/tpasswordedit.h"

#include "core/speicherschutz.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace orvanta {

namespace {

constexpr int MaxLaenge = 255;
const QChar Stern = u'*';

// Keys that move the cursor or the selection and change no character.
bool BewegtNur(QKeyEvent* e) {
    static const QKeySequence::StandardKey bewegungen[] = {
        QKeySequence::MoveToNextChar,
        QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,
        QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,
        QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar,
        QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,
        QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,
        QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument,
        QKeySequence::SelectAll,
    };
    for (QKeySequence::StandardKey k : bewegungen)
        if (e->matches(k))
            return true;
    return false;
}

// Keys the field leaves to its dialog (default button, Esc, focus change).
bool GehtAnDenDialog(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool Druckbar(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

} // namespace

TPasswordEdit::TPasswordEdit(QWidget* parent) : QLineEdit(parent) {
    FEingabe.reserve(MaxLaenge + 1); // never grows, so no copy is left in freed memory
    setEchoMode(QLineEdit::Password);
    setMaxLength(MaxLaenge);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    // Text set by code (an empty field, a test) becomes the entry.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!FIntern)
            TextUebernehmen();
    });
}

TPasswordEdit::~TPasswordEdit() {
    Ueberschreiben(FEingabe);
}

void TPasswordEdit::Leeren() {
    Ueberschreiben(FEingabe);
    FIntern = true;
    clear();
    FIntern = false;
}

void TPasswordEdit::TextUebernehmen() {
    QString text = this->text();
    if (text.size() == qsizetype(FEingabe.size()) && text.count(Stern) == text.size())
        return;
    Ueberschreiben(FEingabe);
    FEingabe.assign(reinterpret_cast<const char16_t*>(text.utf16()),
                    std::min<std::size_t>(text.size(), MaxLaenge));
    // The field's own copy of what code set is overwritten where it lies.
    if (!text.isEmpty())
        std::fill_n(const_cast<QChar*>(text.constData()), text.size(), Stern);
    FIntern = true;
    setText(QString(qsizetype(FEingabe.size()), Stern));
    FIntern = false;
}

void TPasswordEdit::Einfuegen(const QString& text) {
    const int von = hasSelectedText() ? selectionStart() : cursorPosition();
    const int weg = hasSelectedText() ? selectedText().size() : 0;
    const int platz = MaxLaenge - (int(FEingabe.size()) - weg);
    const int n = std::min<int>(platz, int(text.size()));
    if (n <= 0)
        return;
    FEingabe.erase(std::size_t(von), std::size_t(weg));
    FEingabe.insert(std::size_t(von), reinterpret_cast<const char16_t*>(text.utf16()),
                    std::size_t(n));
    FIntern = true;
    insert(QString(n, Stern));
    FIntern = false;
}

void TPasswordEdit::Entfernen(int start, int length) {
    if (start < 0 || length <= 0 || std::size_t(start) >= FEingabe.size())
        return;
    FEingabe.erase(std::size_t(start), std::size_t(length));
    // The shifted tail leaves the last units behind the new end: clear them.
    std::fill(FEingabe.data() + FEingabe.size(), FEingabe.data() + FEingabe.capacity(), u'\0');
}

void TPasswordEdit::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (GehtAnDenDialog(e->key())) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (BewegtNur(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    // Alt and a character (not AltGr, which comes with Ctrl) types nothing.
    const bool alt = (mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier));
    if (alt) {
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        QString text = QApplication::clipboard()->text();
        text.remove(u'\r');
        text = text.section(u'\n', 0, 0);
        Einfuegen(text);
        std::fill_n(text.data(), text.size(), QChar());
        e->accept();
        return;
    }
    const bool rueck = e->key() == Qt::Key_Backspace;
    if ((rueck || e->key() == Qt::Key_Delete) && !(mods & ~Qt::ShiftModifier)) {
        // The same characters go from the entry as the line edit takes from its stars.
        if (hasSelectedText())
            Entfernen(selectionStart(), int(selectedText().size()));
        else if (rueck)
            Entfernen(cursorPosition() - 1, cursorPosition() > 0 ? 1 : 0);
        else
            Entfernen(cursorPosition(), 1);
        FIntern = true;
        if (rueck)
            backspace();
        else
            del();
        FIntern = false;
        e->accept();
        return;
    }
    // Ctrl with Alt is AltGr on some systems: it types its character.
    const bool altGr = (mods & Qt::ControlModifier) && (mods & Qt::AltModifier);
    if (!(mods & Qt::MetaModifier) && (!(mods & Qt::ControlModifier) || altGr) &&
        Druckbar(e->text())) {
        Einfuegen(e->text());
        e->accept();
        return;
    }
    // Undo, word deletion and the like would change the stars without the
    // entry: they do nothing here.
    e->accept();
}

void TPasswordEdit::inputMethodEvent(QInputMethodEvent* e) {
    // A composed character arrives here rather than as a key press.
    if (!e->commitString().isEmpty())
        Einfuegen(e->commitString());
    e->accept();
}

} // namespace orvanta
