#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Test classes register themselves so that every .cpp of an area joins that
// area's executable without a central list.
struct TestRegistry
{
    using Factory = std::function<QObject*()>;
    static std::vector<Factory>& factories()
    {
        static std::vector<Factory> list;
        return list;
    }
    explicit TestRegistry(Factory factory) { factories().push_back(std::move(factory)); }
};

#define TUNDRACK_TEST(Class) \
    static TestRegistry tundrackTestRegistry_##Class([]() -> QObject* { return new Class; });
