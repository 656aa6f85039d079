#include "TestMain.h"

#include <QByteArrayList>
#include <QMetaMethod>
#include <QObject>

#include <cstdio>

namespace {

// The test functions in the order QtTest runs them.
QByteArrayList TestFunctions(const QObject &test)
{
    static const QByteArrayList fixtures{"initTestCase", "cleanupTestCase", "init", "cleanup"};
    QByteArrayList names;
    const QMetaObject *meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QByteArray name = method.name();
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private
            && method.parameterCount() == 0 && !name.endsWith("_data") && !fixtures.contains(name))
            names << name;
    }
    return names;
}

} // namespace

int RunTestObject(QObject &test, int argc, char **argv)
{
    try {
        return QTest::qExec(&test, argc, argv);
    } catch (...) {
        // QtTest has reported the function that let it out as failed.
    }
    if (argc > 1)
        return 1; // functions or options were given: no second run
    std::fputs("An exception ended the run: each test function runs again on its own.\n", stdout);
    int failures = 1;
    for (QByteArray name : TestFunctions(test)) {
        char *args[] = {argv[0], name.data(), nullptr};
        try {
            failures += QTest::qExec(&test, 2, args);
        } catch (...) {
            ++failures;
        }
    }
    return failures;
}
