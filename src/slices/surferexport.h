#pragma once

#include <QString>

class SliceRasterData;

// A computed slice as Surfer text: a line "x y value" for every cell with
// data at the cell's lower-left corner, column by column from the low end
// up, and optionally a blank file of the slice's outline beside it.
class SurferExport
{
public:
    // False, before any file is made, when nothing was computed; false too
    // when a file could not be written completely.
    static bool write(const SliceRasterData& raster, const QString& fileName, bool blankFile);

    // The blank file that goes with an XYZ file: every ".dat" taken out of
    // the file's own name, ".bln" appended; the folder is kept.
    static QString blankFileName(const QString& fileName);
};
