#pragma once

#include <QString>

// Name of the field acquisition program; also the settings organisation of
// the probe option widgets.
static const QString acquisitionProgramName = QStringLiteral("Kvarn");
