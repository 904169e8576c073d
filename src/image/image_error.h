#pragma once

#include <QString>
#include <stdexcept>

namespace quorvex {

// A failure while reading or writing an image file; message() is the text for the user.
class ImageError : public std::runtime_error {
public:
    explicit ImageError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Shorthands that build the catalogued reasons.
[[noreturn]] void throwCorrupt(const char* detail);
[[noreturn]] void throwTruncated();
[[noreturn]] void throwTooLarge(long long width, long long height);
// Throws ImageTooLarge unless a raster of this size may be built.
void checkRasterSize(long long width, long long height);

} // namespace quorvex
