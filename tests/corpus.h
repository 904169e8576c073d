#pragma once

#include "test_paths.h"

#include <QFileInfo>
#include <QString>

// The path of a chart of the shared corpus; the tests that use it assert that it exists, since a
// missing file would otherwise read as the reader's red cross.
inline QString corpusFile(const char* name) {
    return QStringLiteral(QUORVEX_CORPUS) + QLatin1Char('/') + QString::fromLatin1(name);
}
#define ASSERT_CORPUS(path)                                                                        \
    ASSERT_TRUE(QFileInfo::exists(path)) << "missing corpus file " << (path).toStdString()
