#pragma once

#include <QString>

namespace quorvex {

// The extension that a file dialog's filter gives a name typed without one: that of the first
// pattern in its parentheses ("Data files (*.dat)" -> "dat"); none for "All files (*)".
QString filterSuffix(const QString& filter);

} // namespace quorvex
