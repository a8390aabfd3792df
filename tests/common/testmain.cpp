#include "common/testregistry.h"
#include "common/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Settings go to a folder of this run only, never to the user's own.
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        qFatal("no temporary folder for the settings");
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(format, QSettings::SystemScope, settingsDir.path() + "/system");
    }
    TestSupport::setSettingsPath(settingsDir.path());

    QApplication app(argc, argv);
    int status = 0;
    for (const TestRegistry::Factory& factory : TestRegistry::factories()) {
        QObject* test = factory();
        status |= QTest::qExec(test, argc, argv);
        delete test;
    }
    return status;
}
