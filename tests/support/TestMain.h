#pragma once

// Included ahead of every test program: its QTEST_*MAIN runs the test object
// through RunTestObject, so that an exception escaping a test function fails
// that function and the later ones still run.

#include <QStandardPaths>
#include <QTest>

class QObject;

// QtTest fails a test function that lets an exception out, then rethrows it
// and ends the program. Here the run goes on: each test function then runs
// on its own, and the exit code counts the failures.
int RunTestObject(QObject &test, int argc, char **argv);

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...) \
int main(int argc, char *argv[]) \
{ \
    QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
    /* Recovery copies and recent files stay out of the user's folders. */ \
    QStandardPaths::setTestModeEnabled(true); \
    __VA_ARGS__ \
    TestObject tc; \
    QTEST_SET_MAIN_SOURCE_PATH \
    return RunTestObject(tc, argc, argv); \
}
