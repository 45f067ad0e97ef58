#include "dialogs/tpassworddlg.h"

namespace orvanta {

TPasswordDlg::TPasswordDlg(QWidget* parent) : QDialog(parent) {
    setModal(true);
}

} // namespace orvanta
