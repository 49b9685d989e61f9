// The main of test programs that use widgets: one QApplication for the whole
// run, on the offscreen platform unless a platform is chosen explicitly
// (QT_QPA_PLATFORM=xcb under xvfb-run, to look at the windows).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
