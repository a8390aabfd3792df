#include "benchcommand.h"

#include "app/setupapplication.h"

#include <QApplication>

#include <cstdio>

QString benchOption(const QStringList& args, const QString& name, const QString& fallback)
{
    const int i = args.indexOf(name);
    if (i < 0 || i + 1 >= args.size())
        return fallback;
    return args.at(i + 1);
}

QStringList benchPositional(const QStringList& args)
{
    QStringList result;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i).startsWith(QLatin1String("--"))) {
            // Flags without a value are the ones followed by another option or nothing.
            if (i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1String("--")))
                ++i;
            continue;
        }
        result.append(args.at(i));
    }
    return result;
}

void benchPrint(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    // Times are read as the application reads them.
    fixProcessTimeZone();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto& commands = BenchCommand::commands();
    if (args.isEmpty() || commands.find(args.first()) == commands.end()) {
        std::fputs("usage: tundrack-bench COMMAND [ARGS]\ncommands:", stderr);
        for (const auto& command : commands)
            std::fprintf(stderr, " %s", command.first.toLocal8Bit().constData());
        std::fputc('\n', stderr);
        return 2;
    }
    const QString name = args.takeFirst();
    return commands.at(name)(args);
}
