#pragma once
// Password dialog of the access lock. Built separately; created at start so
// that the windows exist in their fixed order.

#include <QDialog>

namespace orvanta {

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget* parent = nullptr);
};

} // namespace orvanta
