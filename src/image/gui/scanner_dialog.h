#pragma once

#include "image/scanner.h"

#include <QDialog>

class QListWidget;

namespace quorvex {

// The list of scanners to choose the one "Acquire..." scans from.
class ScannerSourceDialog : public QDialog {
    Q_OBJECT
public:
    ScannerSourceDialog(const QList<ScannerDevice>& devices, const QString& current,
                        QWidget* parent = nullptr);
    QString chosenDevice() const;
    QListWidget* list() const { return list_; }

private:
    QList<ScannerDevice> devices_;
    QListWidget* list_;
};

} // namespace quorvex
