#include "ui/base/Typography.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstring>

// One QApplication on the xcb platform for every desktop test; with-xvfb.sh gives the process
// its own X server. Listing the tests runs without a display, so no application then.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS();
        }
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    vornela::ensureInterfaceFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
