// The desktop suites need an application object for fonts, images and widgets.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Larkspur Lab");
    QApplication::setApplicationName("Gyrovant");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
