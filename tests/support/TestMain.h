#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Like QTEST_MAIN for widget tests, with the program's title and the user settings in a
// temporary folder chosen before Qt reads the environment, so that no test touches the
// real user's settings.
#define VANTOR_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char** argv) {                                                              \
        QTemporaryDir settings;                                                                    \
        if (!settings.isValid())                                                                   \
            return 1;                                                                              \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));                            \
        qputenv("XDG_DATA_HOME", QFile::encodeName(settings.path() + "/data"));                    \
        QApplication application(argc, argv);                                                      \
        QApplication::setApplicationName("Vantor");                                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
