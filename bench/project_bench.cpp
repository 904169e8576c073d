// A 100000-row, 20-pair project saved and opened again, against the same Table written and read
// as a data file (every column).
#include "bench.h"
#include "core/numbers.h"
#include "exchange/project.h"
#include "exchange/text_data.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <random>

using namespace quorvex;

namespace {

void fillAllPairs(Table& table) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-1000, 1000);
    table.setPairCount(Table::kMaxPairs);
    table.setRowCount(Table::kMaxRows);
    for (int row = 1; row <= Table::kMaxRows; ++row)
        for (int column = 1; column <= 2 * Table::kMaxPairs; column += 2)
            table.store().setPairBytes(column, row,
                                       NumberText(value(random), QChar('.')).toStdString(),
                                       NumberText(value(random), QChar('.')).toStdString());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return file.readAll();
}

const bench::Register projectRoundTrip("project_roundtrip", [] {
    Table table;
    fillAllPairs(table);
    Project project;
    project.pictureName = QStringLiteral("chart.png");
    project.pictureBytes = QByteArray(200000, 'p'); // a picture file of a typical chart
    QTemporaryDir dir;
    const QString projectPath = dir.filePath("work.qvx"), dataPath = dir.filePath("work.dat");
    DataFileOptions options;
    options.allColumns = true;
    const bench::Pair times = bench::compare(
        3,
        [&] {
            if (!writeProjectFile(projectPath, project, table)) std::abort();
            const Project back = readProjectFile(projectPath);
            if (back.table->cell(40, Table::kMaxRows) != table.cell(40, Table::kMaxRows))
                std::abort();
        },
        [&] {
            if (saveDataFile(table, 1, options, dataPath, nullptr, nullptr) != SaveOutcome::Saved)
                std::abort();
            Table back;
            importDataFile(back, readAll(dataPath));
            if (back.cell(40, Table::kMaxRows) != table.cell(40, Table::kMaxRows)) std::abort();
        });
    std::printf("project_roundtrip project_bytes=%lld data_file_bytes=%lld\n",
                static_cast<long long>(QFileInfo(projectPath).size()),
                static_cast<long long>(QFileInfo(dataPath).size()));
    bench::report("project_roundtrip", times.ms, times.baselineMs);
});

} // namespace
