#pragma once
// The preview keeps one readable size for all its text and makes room for
// large figures instead of shrinking them: its value columns widen as far as
// the widest figure needs (every amount the window can produce shows whole),
// and the row captions beside them wrap onto a second line where needed.

class QLineEdit;

namespace orvanta {

// The preview's font: one pixel below the input panel's, 8 pt at 96 dpi and
// more; never smaller.
constexpr int VorschauPx = 11;

// Width a line edit leaves for its text: inside its contents and margins, a
// little room on either side and for the cursor.
int TextRoom(const QLineEdit& edit);

// Width the line edit needs to show its current text whole.
int NeededWidth(const QLineEdit& edit);

} // namespace orvanta
