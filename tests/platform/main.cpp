#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

// One QApplication for every platform test: widgets, timers, socket notifiers and D-Bus all
// need it, and Qt allows only one per process. The tests run inside the started event loop,
// as the app's own code does: Qt holds back incoming D-Bus signals until a loop has started.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int result = 1;
    QTimer::singleShot(0, &app, [&] {
        result = RUN_ALL_TESTS();
        QCoreApplication::exit(result);
    });
    QApplication::exec();
    return result;
}
