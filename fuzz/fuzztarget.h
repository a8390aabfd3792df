#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// A fuzz target: takes one input, must never crash, hang or leak.
using FuzzFunction = int (*)(const uint8_t* data, size_t size);

struct FuzzTarget
{
    static std::map<std::string, FuzzFunction>& targets()
    {
        static std::map<std::string, FuzzFunction> map;
        return map;
    }
    FuzzTarget(const char* name, FuzzFunction function) { targets()[name] = function; }
};

#define TUNDRACK_FUZZ_TARGET(name, function) static FuzzTarget fuzzTarget_##name(#name, function);

// The targets build option widgets, which need a GUI application, and those
// widgets store their options: keep both away from the user's desktop.
inline void fuzzSetUpApplication(int* argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString settingsPath = QDir::tempPath() + QStringLiteral("/tundrack-fuzz-settings");
    qputenv("XDG_CONFIG_HOME", settingsPath.toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsPath);
    // Never destroyed: Qt's platform objects would otherwise show up as leaks at exit.
    static QApplication* app = new QApplication(*argc, argv);
    Q_UNUSED(app)
}
