#include "app/setupapplication.h"

#include "shared/applicationconstants.h"
#include "shared/preferences.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QTranslator>
#include <QWidget>

#include <ctime>

QString styleSheetFromBytes(const QByteArray& bytes)
{
    const int zero = bytes.indexOf('\0');
    return QString::fromLatin1(bytes.constData(), zero < 0 ? bytes.size() : zero);
}

void fixProcessTimeZone()
{
    // With TZ unset the C library checks /etc/localtime on every conversion
    // (a stat per record while a session loads). Naming the same file keeps
    // the zone; Qt reads this very value as the system zone too. A TZ that
    // is set, even empty, is the user's choice and stays.
    const char* const systemZoneFile = "/etc/localtime";
    if (qEnvironmentVariableIsSet("TZ") || !QFileInfo::exists(QString::fromLatin1(systemZoneFile)))
        return;
    qputenv("TZ", QByteArray(":") + systemZoneFile);
    tzset();
}

void setupApplication(QApplication& app)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/png/logo.png")));
    QCoreApplication::setApplicationName(applicationName + QLatin1Char(' ') + applicationVersion);

    // Debian has no Consolas; let the request fall back to a monospaced family it ships.
    QFont::insertSubstitution(QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"));
    QApplication::setFont(QFont(QStringLiteral("Consolas"), 10));

    QFile styleSheet(QStringLiteral(":/txt/StyleSheet.txt"));
    if (styleSheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(styleSheetFromBytes(styleSheet.readAll()));

    const QString code = Preferences::instance()->language() == 1 ? QStringLiteral("RU") : QStringLiteral("EN");
    // The translators stay for the whole run; the application keeps them as children.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/qm/") + code + QStringLiteral(".qm")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    auto* qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(QStringLiteral(":/qm/qtbase_") + code.toLower() + QStringLiteral(".qm")))
        QCoreApplication::installTranslator(qtTranslator);
    else
        delete qtTranslator;
}

void applyAppStyle(QWidget* widget)
{
    widget->setFont(QApplication::font());
    widget->setStyleSheet(qApp->styleSheet());
}
