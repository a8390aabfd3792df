#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/setupapplication.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    // Times are read as the application reads them.
    fixProcessTimeZone();
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
    // The icons and translations live in the core library, which the linker
    // leaves out of a test that uses nothing else of it.
    Q_INIT_RESOURCE(tundrack);
    const TestRegistry::Factory& factory = TestRegistry::factory();
    if (!factory)
        qFatal("this executable's test class is not registered");
    QObject* test = factory();
    const int status = QTest::qExec(test, argc, argv);
    delete test;
    return status;
}
