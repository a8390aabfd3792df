#include "slices/surferexport.h"

#include "shared/writtenfile.h"
#include "slices/slicerasterdata.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

bool SurferExport::write(const SliceRasterData& raster, const QString& fileName, bool blankFile)
{
    const int columns = raster.columns();
    const QVector<double>& values = raster.values();
    if (columns <= 0 || values.isEmpty())
        return false;

    const int rows = values.size() / columns;
    const double dx = raster.xInterval().width() / columns;
    const double dy = rows > 0 ? raster.yInterval().width() / rows : 0.0;
    const double xmin = raster.xInterval().minValue();
    const double ymin = raster.yInterval().minValue();
    const WrittenFile::Result grid = WrittenFile::writeText(fileName, [&](QTextStream& out) {
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j < rows; ++j) {
                const int index = i + j * columns;
                if (raster.holdsData(index))
                    out << xmin + i * dx << " " << ymin + j * dy << " " << values.at(index) << "\n";
            }
        }
    });
    if (grid != WrittenFile::Written)
        return false;
    if (!blankFile)
        return true;

    const QVector<QPointF>& outline = raster.outline();
    return WrittenFile::writeText(blankFileName(fileName), [&outline](QTextStream& out) {
        out << outline.size() << " 0\n";
        for (const QPointF& p : outline)
            out << p.x() << ", " << p.y() << "\n";
    }) == WrittenFile::Written;
}

QString SurferExport::blankFileName(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    QString blankName = name;
    blankName.remove(QStringLiteral(".dat"), Qt::CaseSensitive);
    blankName += QStringLiteral(".bln");
    if (fileName.endsWith(name))
        return fileName.left(fileName.size() - name.size()) + blankName;
    return QFileInfo(fileName).dir().filePath(blankName);
}
