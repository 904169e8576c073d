#pragma once

#include "core/raster.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quorvex {

// Scanning through SANE. Every call opens and closes the SANE library, so no state lingers
// between scans. Failures throw ImageError with SANE's own words.
struct ScannerDevice {
    QString name;        // what SANE opens
    QString description; // vendor, model and type, for the user
};

QList<ScannerDevice> scannerDevices();

// Scans one image from the device. `progress` gets 0..100 and returns false to cancel, which
// throws ImageError with the cancellation status. Grey scans give an 8-bit grey raster, line
// art a 1-bit raster, colour scans a 24-bit raster.
Raster acquireImage(const QString& device, const std::function<bool(int)>& progress);

} // namespace quorvex
