#pragma once

#include "test_paths.h"

#include <QFileInfo>
#include <QString>

// The path of a test chart in tests/data/charts. The tests that use one assert that it exists,
// since a missing file would otherwise read as the reader's red cross.
inline QString chartFile(const char* name) {
    return QStringLiteral(QUORVEX_CHARTS) + QLatin1Char('/') + QString::fromLatin1(name);
}
#define ASSERT_CHART(path)                                                                         \
    ASSERT_TRUE(QFileInfo::exists(path)) << "missing test chart " << (path).toStdString()
