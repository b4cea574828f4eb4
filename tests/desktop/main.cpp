// The desktop suites need an application object for fonts, images and widgets.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Test discovery runs the binary without the tests' environment; the
    // suites never need a real display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Larkspur Lab");
    QApplication::setApplicationName("Gyrovant");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
