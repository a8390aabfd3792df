#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// Each command registers itself under its name; it receives the arguments
// after the name and returns the exit status.
struct BenchCommand
{
    using Function = std::function<int(const QStringList&)>;
    static std::map<QString, Function>& commands()
    {
        static std::map<QString, Function> map;
        return map;
    }
    BenchCommand(const QString& name, Function function) { commands()[name] = std::move(function); }
};

// Value of "--name value" in args, or fallback.
QString benchOption(const QStringList& args, const QString& name, const QString& fallback = QString());
// The arguments that are neither options nor option values.
QStringList benchPositional(const QStringList& args);
// Prints one line to standard output.
void benchPrint(const QString& line);
