// Runs every window test class in one process on the offscreen platform.
#include <QApplication>

int runMainWindowTest(int argc, char** argv);
int runDigitizeTest(int argc, char** argv);
int runAutoTest(int argc, char** argv);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    failures += runMainWindowTest(argc, argv);
    failures += runDigitizeTest(argc, argv);
    failures += runAutoTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
