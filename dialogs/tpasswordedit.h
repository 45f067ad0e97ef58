#pragma once
// The entry field of the password dialog. The typed characters never reach
// the line edit's own storage (which keeps freed copies and an undo history):
// the field shows and holds one "*" per character, and the entry lives in one
// buffer of fixed capacity that is overwritten when it is emptied.
// Alt and a letter types nothing, as in the program's other fields.

#include <QLineEdit>

#include <string>

namespace orvanta {

class TPasswordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TPasswordEdit(QWidget* parent = nullptr);
    ~TPasswordEdit() override;

    // The entry as UTF-16 units; valid until the field changes.
    const std::u16string& Eingabe() const { return FEingabe; }
    // Overwrites the entry and empties the field.
    void Leeren();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void Einfuegen(const QString& text);
    void Entfernen(int start, int length);
    void TextUebernehmen();

    std::u16string FEingabe;
    bool FIntern = false;
};

} // namespace orvanta
