// PDF figures: the first page of a 20-page PDF opened as the window opens it (rendered and its
// paths recorded) against pdftoppm rendering the same page at the same resolution (the same
// library); and a page of 100000 path vertices read from its file into the Table.
#include "autodigit/vector_scan.h"
#include "bench.h"
#include "core/numbers.h"
#include "image/vector_page.h"
#include "table/table.h"
#include "tools/calibration.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

using namespace quorvex;

namespace {

// A page of a paper's figure: a frame, a grid, five curves of `points` vertices each, labels.
void drawFigure(QPainter& painter, int page, int points) {
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawRect(QRectF(50, 30, 400, 250));
    painter.setPen(QPen(QColor(200, 200, 200), 0.4, Qt::DashLine));
    for (int i = 1; i < 10; ++i) {
        painter.drawLine(QPointF(50 + 40 * i, 30), QPointF(50 + 40 * i, 280));
        painter.drawLine(QPointF(50, 30 + 25 * i), QPointF(450, 30 + 25 * i));
    }
    const QColor colours[] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::magenta, Qt::darkCyan};
    for (int c = 0; c < 5; ++c) {
        QPolygonF line;
        for (int i = 0; i < points; ++i) {
            const double t = static_cast<double>(i) / (points - 1);
            line << QPointF(50 + 400 * t, 155 - 100 * std::sin(6.28 * t * (c + 1) + page));
        }
        painter.setPen(QPen(colours[c], 1.2));
        painter.drawPolyline(line);
    }
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    for (int i = 0; i <= 10; ++i)
        painter.drawText(QPointF(45 + 40 * i, 295), QString::number(i));
}

QString writePdf(const QString& path, int pages, int points) {
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(500, 320), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        drawFigure(painter, page, points);
    }
    return path;
}

const bench::Register openPdf("open_pdf", [] {
    QTemporaryDir dir;
    const QString pdf = writePdf(dir.filePath("paper.pdf"), 20, 400);
    const double dpi = 200;
    const bench::Pair times = bench::compare(
        5,
        [&] {
            const VectorFile file(pdf);
            const Raster raster = file.render(1, dpi);
            const VectorLayer layer = file.record(1, dpi);
            if (raster.width() < 1000 || layer.paths.empty()) std::abort();
        },
        [&] {
            QProcess pdftoppm;
            pdftoppm.start(QStringLiteral("pdftoppm"),
                           {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), QStringLiteral("-r"), QString::number(dpi), pdf,
                            dir.filePath(QStringLiteral("page"))});
            if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) {
                std::fprintf(stderr, "open_pdf: pdftoppm is missing or failed\n");
                std::abort();
            }
        });
    bench::report("open_pdf", times.ms, times.baselineMs);
});

// From the file to the Table: open, record the page, read the curve's vertices, convert them
// and write them; the baseline writes the same number of points into a Table from memory.
const bench::Register vectorExtract("vector_extract", [] {
    QTemporaryDir dir;
    const QString pdf = writePdf(dir.filePath("dense.pdf"), 1, 20000); // 5 x 20000 vertices
    Calibration c;
    c.setCorners(QPointF(50 * 200 / 72.0 - 0.5, 280 * 200 / 72.0 - 0.5),
                 QPointF(450 * 200 / 72.0 - 0.5, 30 * 200 / 72.0 - 0.5));
    c.xRightTop = QStringLiteral("1");
    c.yRightTop = QStringLiteral("1");
    const ToGraph graph(c, QChar('.'));
    std::size_t vertices = 0;
    const bench::Pair times = bench::compare(
        3,
        [&] {
            const VectorFile file(pdf);
            const VectorLayer layer = file.record(1, 200);
            vertices = layer.vertexCount();
            Table table;
            int written = 0;
            for (Colour colour :
                 {makeColour(255, 0, 0), makeColour(0, 0, 255), makeColour(0, 128, 0),
                  makeColour(255, 0, 255), makeColour(0, 128, 128)}) {
                ScanSettings settings;
                settings.recognition.mode = RecognitionMode::Vector;
                settings.recognition.curve = colour;
                settings.oneValued = false;
                settings.area = ScanArea{0, 0, 1400, 900};
                table.setCurveText(QString::number(++written));
                for (const QPointF& p : vectorCurvePoints(layer, settings))
                    table.appendPoint(graph.x(p.x()), graph.y(p.y()));
            }
            if (table.nextRow(5) < 20000) std::abort();
        },
        [&] {
            Table table;
            for (int curve = 1; curve <= 5; ++curve) {
                table.setCurveText(QString::number(curve));
                for (int i = 0; i < 20000; ++i)
                    table.appendPoint(i / 20000.0, std::sin(i * 0.001));
            }
        });
    std::printf("vector_extract vertices=%zu ms=%.1f goal_ms=500\n", vertices, times.ms);
    bench::report("vector_extract", times.ms, times.baselineMs);
});

} // namespace
