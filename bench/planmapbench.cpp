// tundrack-bench planmap [--records N] [--runs R]
//   fills a plan map offscreen with N records on survey lines and times one
//   full replot at 1600 x 1000 pixels (median of R runs).
#include "benchcommand.h"

#include "planmap/planmapplot.h"
#include "slices/sliceobjectlist.h"
#include "survey/trackblock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <list>
#include <vector>

namespace {

// A towed probe recording every 0.25 m along lines 2 m apart over a square
// area; each track walks ten lines back and forth, each block holds ten tracks.
constexpr double recordSpacing = 0.25;
constexpr double lineSpacing = 2.0;
constexpr int linesPerTrack = 10;
constexpr int tracksPerBlock = 10;

int planmap(const QStringList& args)
{
    const qint64 records = benchOption(args, "--records", "1000000").toLongLong();
    const int runs = qMax(1, benchOption(args, "--runs", "7").toInt());
    if (records <= 0)
        return 2;

    const double side = std::sqrt(double(records) * recordSpacing * lineSpacing);
    const int perLine = qMax(1, int(std::lround(side / recordSpacing)));

    PlanMapPlot plot;
    plot.resize(1600, 1000);
    plot.show();

    std::list<TrackBlock> blocks;
    QRandomGenerator random(11);
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), Qt::UTC);
    qint64 made = 0;
    int line = 0;
    while (made < records) {
        if (blocks.empty() || blocks.back().entryCount() == tracksPerBlock)
            blocks.emplace_back();
        Track track;
        for (int l = 0; l < linesPerTrack && made < records; ++l, ++line) {
            const double y = line * lineSpacing;
            for (int i = 0; i < perLine && made < records; ++i, ++made) {
                const int step = line % 2 == 0 ? i : perLine - 1 - i;
                TrackRecord record;
                // Positioning noise of a few centimetres.
                record.setPosition(Point3D(step * recordSpacing + random.bounded(0.05),
                                           y + random.bounded(0.05), 100.0));
                record.setTime(start.addMSecs(made * 250));
                if (made % 1000 == 999)
                    record.setFixed();
                track.appendRecord(record);
            }
        }
        TrackBlock& block = blocks.back();
        TrackBlockEntry entry;
        entry.setName(QStringLiteral("Track %1").arg(block.entryCount() + 1));
        entry.setTrack(track);
        block.appendEntry(entry);
        TrackBlockEntry& stored = block.entry(block.entryCount() - 1);
        stored.setCurve(plot.createEntryCurve());
        stored.setFixedCurve(plot.createFixedCurve());
    }

    SliceObjectList slices;
    const double h = line * lineSpacing;
    SliceObject vertical;
    vertical.setPolygon(QPolygonF() << QPointF(0, 0) << QPointF(side, h));
    slices.append(vertical);
    SliceObject horizontal;
    horizontal.setPolygon(QPolygonF() << QPointF(side / 4, h / 4) << QPointF(side * 3 / 4, h / 4)
                                   << QPointF(side * 3 / 4, h * 3 / 4) << QPointF(side / 4, h * 3 / 4));
    slices.append(horizontal);
    for (int i = 0; i < slices.count(); ++i)
        slices.at(i)->setCurve(plot.createSliceCurve());
    plot.showSliceObject(slices.at(0));

    plot.fit();
    QApplication::processEvents();

    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        plot.replot();
        plot.canvas()->repaint();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    benchPrint(QStringLiteral("planmap records=%1 replot_seconds=%2")
                   .arg(records)
                   .arg(seconds[seconds.size() / 2], 0, 'f', 4));
    return 0;
}

BenchCommand planmapCommand("planmap", planmap);

} // namespace
