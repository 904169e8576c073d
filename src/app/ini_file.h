#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace quorvex {

// An INI file as the program keeps its options in it: section and key texts are kept exactly
// as written (they contain spaces and parentheses), looked up without regard to case, values
// are text. Changes stay in memory until save(), which replaces the file atomically.
class IniFile {
public:
    IniFile() = default;
    // Reads the file when it exists; a missing file reads as no keys.
    explicit IniFile(const QString& path);

    const QString& path() const { return path_; }
    bool load();
    // Writes the whole file to a temporary name and renames it over the old one.
    bool save() const;

    bool contains(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // True only for the exact text "True"; a missing key gives the fallback.
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    // Numbers: a missing key gives the fallback, a text that is not a number throws
    // ConversionError with the standard message.
    int readInteger(const QString& section, const QString& key, int fallback) const;
    double readFloat(const QString& section, const QString& key, double fallback,
                     QChar decimalSeparator) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeInteger(const QString& section, const QString& key, int value);

    QString text() const;
    void parse(const QString& text);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Entry* find(const QString& section, const QString& key) const;

    QString path_;
    std::vector<Section> sections_;
};

} // namespace quorvex
