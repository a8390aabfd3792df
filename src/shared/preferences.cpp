#include "shared/preferences.h"

#include "shared/applicationconstants.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

Preferences* theInstance = nullptr;

const QString applicationKey = QStringLiteral("Preferences");
const QString languageKey = QStringLiteral("Language");
const QString imagePixelSizeKey = QStringLiteral("ImagePixelSize");
const QString bilinearInterpolationKey = QStringLiteral("BilinearInterpolation");
const QString ignoreHeightValuesKey = QStringLiteral("IgnoreHeightValues");
const QString createSurferBlankFilesKey = QStringLiteral("CreateSurferBlankFiles");

} // namespace

Preferences* Preferences::instance()
{
    if (!theInstance) {
        theInstance = new Preferences;
        theInstance->load();
    }
    return theInstance;
}

void Preferences::destroy()
{
    delete theInstance;
    theInstance = nullptr;
}

double Preferences::usableImagePixelSize(double size)
{
    // An infinite cell size would put every cell centre at infinity, so it
    // counts as no value, like NaN.
    if (!std::isfinite(size))
        return minimumImagePixelSize;
    return std::max(std::fabs(size), minimumImagePixelSize);
}

void Preferences::setLanguage(int language)
{
    m_language = language;
}

void Preferences::setImagePixelSize(double size)
{
    m_imagePixelSize = usableImagePixelSize(size);
}

void Preferences::setBilinearInterpolation(bool on)
{
    m_bilinearInterpolation = on;
}

void Preferences::setIgnoreHeightValues(bool on)
{
    m_ignoreHeightValues = on;
}

void Preferences::setCreateSurferBlankFiles(bool on)
{
    m_createSurferBlankFiles = on;
}

void Preferences::load()
{
    QSettings settings(applicationName, applicationKey);
    m_language = settings.value(languageKey, 0).toInt();
    setImagePixelSize(settings.value(imagePixelSizeKey, 1.0).toDouble());
    m_bilinearInterpolation = settings.value(bilinearInterpolationKey, true).toBool();
    m_ignoreHeightValues = settings.value(ignoreHeightValuesKey, false).toBool();
    m_createSurferBlankFiles = settings.value(createSurferBlankFilesKey, true).toBool();
}

void Preferences::save() const
{
    QSettings settings(applicationName, applicationKey);
    settings.setValue(languageKey, m_language);
    settings.setValue(imagePixelSizeKey, m_imagePixelSize);
    settings.setValue(bilinearInterpolationKey, m_bilinearInterpolation);
    settings.setValue(ignoreHeightValuesKey, m_ignoreHeightValues);
    settings.setValue(createSurferBlankFilesKey, m_createSurferBlankFiles);
}
