#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// SANE's own virtual scanner ("test" backend) in a private configuration folder. SANE reads
// the folder's path once per process, so one folder serves a whole test program; the device
// can be switched off and on again by rewriting its files.
class VirtualScanner {
public:
    VirtualScanner() { qputenv("SANE_CONFIG_DIR", dir_.path().toLocal8Bit()); }

    // With the device: one colour scanner giving 40 x 30 mm at 50 dpi (78 x 59 pixels).
    bool enable(bool withDevice) {
        return write("dll.conf", withDevice ? "test\n" : "") &&
               write("test.conf",
                     "number_of_devices 1\nmode Color\ndepth 8\nresolution 50.0\n"
                     "test-picture \"Color pattern\"\ngeometry_min 0.0\ngeometry_max 200.0\n"
                     "tl_x 0.0\ntl_y 0.0\nbr_x 40.0\nbr_y 30.0\n");
    }

    static VirtualScanner& instance() {
        static VirtualScanner scanner;
        return scanner;
    }

private:
    bool write(const char* name, const char* text) {
        QFile f(dir_.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::WriteOnly) && f.write(text) >= 0;
    }
    QTemporaryDir dir_;
};
