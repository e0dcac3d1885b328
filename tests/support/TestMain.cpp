#include <gtest/gtest.h>

#ifdef TS_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Discovery (--gtest_list_tests) must not need a display.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
