// Runs every window test class in one process on the offscreen platform, under the program's own
// application object and names.
#include "app/gui/application.h"

int runMainWindowTest(int argc, char** argv);
int runDigitizeTest(int argc, char** argv);
int runAutoTest(int argc, char** argv);
int runTablePageTest(int argc, char** argv);
int runGrapherPageTest(int argc, char** argv);
int runExchangeTest(int argc, char** argv);
int runImageToolsTest(int argc, char** argv);
int runUndoRecordTest(int argc, char** argv);
int runPartsTest(int argc, char** argv);
int runProjectTest(int argc, char** argv);
int runVectorPictureTest(int argc, char** argv);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    quorvex::Application app(argc, argv);
    quorvex::configureApplication();
    int failures = 0;
    failures += runMainWindowTest(argc, argv);
    failures += runDigitizeTest(argc, argv);
    failures += runAutoTest(argc, argv);
    failures += runTablePageTest(argc, argv);
    failures += runGrapherPageTest(argc, argv);
    failures += runExchangeTest(argc, argv);
    failures += runImageToolsTest(argc, argv);
    failures += runUndoRecordTest(argc, argv);
    failures += runPartsTest(argc, argv);
    failures += runProjectTest(argc, argv);
    failures += runVectorPictureTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
