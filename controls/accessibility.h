#pragma once
// What screen readers get from the house controls, which draw themselves:
// the buttons are buttons with their caption and a press action, captions
// are text (section headers headings), and a caption names the input it
// leads to, as a buddy label does for Qt's own controls.

#include <QString>

class QWidget;

namespace orvanta {

// The caption as it is read: without the accelerator's "&" ("&&" is a "&").
QString WithoutAccelerator(const QString& caption);

// Installs the accessibility of the house controls once per process.
void InstallAccessibility();

// Names control after caption: its accessible name where it shows no text of
// its own, else its description (the group a radio button belongs to). A
// name given by hand is kept.
void NameAfterCaption(QWidget* control, const QString& caption);

// Names every number or text field of window that no caption leads to
// after the caption standing left of it in its row (a label of the same
// parent), as a reader expects of a form. Names given otherwise are kept.
void NameFieldsAfterRowCaptions(QWidget* window);

} // namespace orvanta
