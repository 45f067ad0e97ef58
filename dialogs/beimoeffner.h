#pragma once
// Keeps a modal dialog with the window that opened it. The program's dialogs
// have no parent widget (they live from start to end), so the window manager
// would treat each as a window of its own and offer to minimise it alone,
// leaving its blocked opener with nothing visible to answer.

class QDialog;

namespace orvanta {

// Minimised on its own, dialog comes straight back. With transient, when it
// is shown it also becomes transient for the active window, which a window
// manager then minimises and restores together with it. (The commission
// windows, which open one on top of the other, keep the window system's own
// choice of the window they belong to.)
void BeimOeffnerHalten(QDialog& dialog, bool transient);

} // namespace orvanta
