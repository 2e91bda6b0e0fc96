#include "WmEnvironment.h"
#include "ui/base/Typography.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

// Exit status when the environment never came up, so the matrix says "could not run".
constexpr int couldNotRun = 77;

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
    if (const std::string why = vornela::WmEnvironment::current().waitUntilReady(); !why.empty()) {
        std::fprintf(stderr, "could not run: %s\n", why.c_str());
        return couldNotRun;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
