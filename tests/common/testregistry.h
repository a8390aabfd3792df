#pragma once

#include <QObject>

#include <cstring>
#include <functional>

// Each test executable runs one test class, the one its build names in
// TUNDRACK_TEST_CLASS; a source holding two classes is built once for each.
#ifndef TUNDRACK_TEST_CLASS
#define TUNDRACK_TEST_CLASS ""
#endif

struct TestRegistry
{
    using Factory = std::function<QObject*()>;
    static Factory& factory()
    {
        static Factory chosen;
        return chosen;
    }
    TestRegistry(const char* name, Factory make)
    {
        if (std::strcmp(name, TUNDRACK_TEST_CLASS) == 0)
            factory() = std::move(make);
    }
};

#define TUNDRACK_TEST(Class) \
    static TestRegistry tundrackTestRegistry_##Class(#Class, []() -> QObject* { return new Class; });
