#include "app/ini_file.h"

#include "core/atomic_file.h"
#include "core/numbers.h"

#include <QFile>

namespace quorvex {

IniFile::IniFile(const QString& path) : path_(path) {
    load();
}

bool IniFile::load() {
    sections_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return false;
    parse(QString::fromUtf8(file.readAll()));
    return true;
}

void IniFile::parse(const QString& text) {
    sections_.clear();
    Section* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = nullptr;
            for (auto& s : sections_)
                if (s.name.compare(name, Qt::CaseInsensitive) == 0) current = &s;
            if (!current) {
                sections_.push_back({name, {}});
                current = &sections_.back();
            }
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || !current) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        bool replaced = false;
        for (auto& e : current->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
                e.value = value;
                replaced = true;
            }
        if (!replaced) current->entries.push_back({key, value});
    }
}

QString IniFile::text() const {
    QString out;
    for (const auto& s : sections_) {
        out += QLatin1Char('[') + s.name + QLatin1String("]\n");
        for (const auto& e : s.entries)
            out += e.key + QLatin1Char('=') + e.value + QLatin1Char('\n');
        out += QLatin1Char('\n');
    }
    return out;
}

bool IniFile::save() const {
    return writeFileAtomically(path_, text().toUtf8());
}

const IniFile::Entry* IniFile::find(const QString& section, const QString& key) const {
    for (const auto& s : sections_) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (const auto& e : s.entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return &e;
    }
    return nullptr;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    const Entry* e = find(section, key);
    return e ? e->value : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    const Entry* e = find(section, key);
    return e ? e->value == QLatin1String("True") : fallback;
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const Entry* e = find(section, key);
    return e ? parseInt(e->value) : fallback;
}

double IniFile::readFloat(const QString& section, const QString& key, double fallback,
                          QChar decimalSeparator) const {
    const Entry* e = find(section, key);
    return e ? parseDouble(e->value, decimalSeparator) : fallback;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section* target = nullptr;
    for (auto& s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) target = &s;
    if (!target) {
        sections_.push_back({section, {}});
        target = &sections_.back();
    }
    for (auto& e : target->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    target->entries.push_back({key, value});
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

} // namespace quorvex
