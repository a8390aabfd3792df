#pragma once

// The user's preferences, one object for the whole process. It is read from
// the settings store when first asked for and written back only by save().
class Preferences
{
public:
    // The one object; made and loaded on the first call.
    static Preferences* instance();
    // Forgets the object; the next instance() makes and loads a fresh one.
    static void destroy();

    int language() const { return m_language; }
    double imagePixelSize() const { return m_imagePixelSize; }
    bool bilinearInterpolation() const { return m_bilinearInterpolation; }
    bool ignoreHeightValues() const { return m_ignoreHeightValues; }
    bool createSurferBlankFiles() const { return m_createSurferBlankFiles; }

    void setLanguage(int language);
    // Any value is accepted and made usable as a raster cell size.
    void setImagePixelSize(double size);
    void setBilinearInterpolation(bool on);
    void setIgnoreHeightValues(bool on);
    void setCreateSurferBlankFiles(bool on);

    void load();
    void save() const;

    // The smallest raster cell size, in metres.
    static constexpr double minimumImagePixelSize = 0.01;
    // The cell size a stored or typed value stands for: its absolute value,
    // at least the minimum; a value that is no number at all gives the minimum.
    static double usableImagePixelSize(double size);

private:
    Preferences() = default;
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    int m_language = 0;
    double m_imagePixelSize = 1.0;
    bool m_bilinearInterpolation = true;
    bool m_ignoreHeightValues = false;
    bool m_createSurferBlankFiles = true;
};
