// Runs all benchmarks, or those named on the command line.
#include "bench.h"

#include <QApplication>
#include <QTemporaryDir>

namespace bench {

std::map<std::string, Benchmark>& registry() {
    static std::map<std::string, Benchmark> benchmarks;
    return benchmarks;
}

QString scratchFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

} // namespace bench

int main(int argc, char* argv[]) {
    // The chart benchmarks paint text and the window benchmarks build the main window, which
    // need the application object (on no display).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto& all = bench::registry();
    if (argc == 1) {
        for (auto& [name, run] : all)
            run();
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        const auto found = all.find(argv[i]);
        if (found == all.end()) {
            std::fprintf(stderr, "unknown benchmark %s; known:", argv[i]);
            for (auto& [name, run] : all)
                std::fprintf(stderr, " %s", name.c_str());
            std::fprintf(stderr, "\n");
            return 2;
        }
        found->second();
    }
    return 0;
}
