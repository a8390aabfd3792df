// tundrack-bench views [--records N] [--runs R]
//   opens the profile and the distribution view of one Kestrion track of N
//   records and times each from the click to the first complete paint
//   (median of R runs). Settings go to a temporary folder.
#include "benchcommand.h"
#include "syntheticrecord.h"

#include "app/distributiondialog.h"
#include "app/profiledialog.h"
#include "probes/kestrion/kestrionspecifications.h"
#include "survey/trackblockentry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// A towed probe recording every 0.25 m along lines 100 m long and 2 m apart
// over a gently rolling surface.
Track kestrionTrack(int records)
{
    KestrionSpecifications specifications;
    specifications.serial = 5;
    for (QVector<double>* vector : {&specifications.F, &specifications.XP, &specifications.YP,
                                    &specifications.XA, &specifications.YA, &specifications.IA,
                                    &specifications.XAU, &specifications.YAU, &specifications.IAU,
                                    &specifications.GF, &specifications.AC, &specifications.BC,
                                    &specifications.IC})
        *vector = {1.0, 2.0, 3.0};
    specifications.rt = 0.5;
    specifications.nt = 7;
    specifications.r = 1.5;
    specifications.m = 2.5;

    Track track;
    track.setProbeId(ProbeId(1, 0));
    track.setSpecifications(specifications.toByteArray());
    QRandomGenerator random(7);
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), Qt::UTC);
    const int perLine = 400;
    for (int i = 0; i < records; ++i) {
        const int line = i / perLine;
        const int step = line % 2 == 0 ? i % perLine : perLine - 1 - i % perLine;
        const double x = step * 0.25;
        const double y = line * 2.0;
        const double z = 100.0 + 2.0 * std::sin(x / 15.0) + std::cos(y / 20.0);
        track.appendRecord(syntheticKestrionRecord(random, Point3D(x, y, z), start.addMSecs(i * 250LL)));
    }
    return track;
}

// Seconds from the start of open() to the end of the first paint of the
// dialog it returns.
double timeOpening(const std::function<QDialog*()>& open)
{
    QElapsedTimer timer;
    timer.start();
    QDialog* dialog = open();
    dialog->show();
    QApplication::processEvents();
    dialog->repaint();
    const double seconds = timer.nsecsElapsed() / 1e9;
    delete dialog;
    QApplication::processEvents();
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int views(const QStringList& args)
{
    const int records = benchOption(args, "--records", "100000").toInt();
    const int runs = qMax(1, benchOption(args, "--runs", "5").toInt());
    if (records <= 0)
        return 2;

    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return 1;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());

    TrackBlockEntry entry;
    entry.setName(QStringLiteral("Track 1"));
    entry.setTrack(kestrionTrack(records));

    std::vector<double> profile;
    std::vector<double> distribution;
    for (int run = 0; run < runs; ++run) {
        profile.push_back(timeOpening([&entry]() { return new ProfileDialog(&entry); }));
        // As the row does it: the values are gathered after the click.
        distribution.push_back(timeOpening([&entry]() {
            QList<double> values;
            entry.values(values);
            return new DistributionDialog(entry.name(), values);
        }));
    }
    benchPrint(QStringLiteral("views records=%1 profile_seconds=%2 distribution_seconds=%3")
                   .arg(records)
                   .arg(median(profile), 0, 'f', 4)
                   .arg(median(distribution), 0, 'f', 4));
    return 0;
}

BenchCommand viewsCommand("views", views);

} // namespace
