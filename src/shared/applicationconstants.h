#pragma once

#include <QString>

// The settings organisation of the application's own stores.
static const QString applicationName = QStringLiteral("Tundrack");
static const QString applicationVersion = QStringLiteral("4.05");
