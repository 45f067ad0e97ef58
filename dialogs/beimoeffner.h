#pragma once
// Keeps a modal dialog with the window that opened it. The program's dialogs
// have no parent widget (they live from start to end), so the window manager
// would treat each as a window of its own and offer to minimise it alone,
// leaving its blocked opener with nothing visible to answer.

class QDialog;

namespace orvanta {

// When dialog is shown it becomes transient for the active window (which a
// window manager minimises and restores together with it); minimised on its
// own all the same, it comes straight back.
void BeimOeffnerHalten(QDialog& dialog);

} // namespace orvanta
