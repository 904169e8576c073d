#pragma once

// Large JPEG files for the benchmarks, and the floor of reading one.
#include <QByteArray>
#include <QString>
#include <cstddef>

namespace bench {

// A chart-like picture: white paper, a grid and a few coloured curves, with a soft gradient so
// the encoder has real work.
void writeLargeJpeg(const QString& path, int width, int height);
// libjpeg alone decoding the bytes into a new RGB buffer; returns the buffer's size.
std::size_t bareDecode(const QByteArray& bytes);

} // namespace bench
