#include "app/samplecollector.h"

#include "probes/graphicoptionswidget.h"
#include "probes/processoptionswidget.h"
#include "probes/zndtranslator.h"
#include "shared/preferences.h"
#include "survey/processoptionsstore.h"
#include "survey/trackblocklist.h"

#include <cmath>

namespace {

// Which values an entry's records give, by the probe's processing options.
enum class Selection { AllFrequencies, ChosenFrequency, None };

Selection selectionFor(const QMap<ProbeId, SpecificProcessOptions>& store, const ProbeId& id)
{
    const auto it = store.constFind(id);
    if (it == store.constEnd())
        return Selection::AllFrequencies;
    if (!it->enabled)
        return Selection::None;
    return it->specificData ? Selection::ChosenFrequency : Selection::AllFrequencies;
}

} // namespace

bool SampleCollector::collect(const TrackBlockList& blocks, QList<Point3D>* bottom,
                              QList<Point3D>* top, QList<double>* samples, double min, double max)
{
    const bool ignoreHeight = Preferences::instance()->ignoreHeightValues();
    const QMap<ProbeId, SpecificProcessOptions> store = ProcessOptionsStore::instance()->options();
    bool allKnown = true;

    for (const TrackBlock& block : blocks.blocks()) {
        if (!block.isEnabled())
            continue;
        for (const TrackBlockEntry& entry : block.entries()) {
            if (!entry.isEnabled())
                continue;
            const Track& track = entry.track();
            ZndTranslator* translator = createTranslator(track.probeId());
            if (!translator) {
                allKnown = false;
                continue;
            }
            if (!translator->setSpecifications(track.specifications())) {
                allKnown = false;
                delete translator;
                continue;
            }
            // One pair of option widgets per entry: each reads the stored
            // options as it is made and writes them back when destroyed.
            ProcessOptionsWidget* pw = translator->createProcessOptionsWidget();
            GraphicOptionsWidget* gw = translator->createGraphicOptionsWidget();
            const Selection selection = selectionFor(store, track.probeId());

            for (const TrackRecord& record : track.records()) {
                Point3D p = record.position();
                if (ignoreHeight)
                    p.setZ(0.0);
                if (top)
                    top->append(p);

                QVector<QPointF> pairs;
                bool ok = true;
                switch (selection) {
                case Selection::AllFrequencies:
                    pairs = translator->points(record.data(), pw, &ok);
                    break;
                case Selection::ChosenFrequency: {
                    const QPointF pair = translator->point(record.data(), pw, gw, &ok);
                    if (ok)
                        pairs.append(pair);
                    break;
                }
                case Selection::None:
                    break;
                }
                if (!ok)
                    continue;
                appendPairs(p, pairs, min, max, bottom, samples);
            }

            delete pw;
            delete gw;
            delete translator;
        }
    }
    return allKnown;
}

void SampleCollector::appendPairs(const Point3D& p, const QVector<QPointF>& pairs, double min,
                                  double max, QList<Point3D>* bottom, QList<double>* samples)
{
    if (samples) {
        for (const QPointF& pair : pairs) {
            const double depth = pair.x();
            const double value = pair.y();
            // An unbounded range must not let an infinity through, and a
            // NaN compares false anyway.
            if (!std::isfinite(value) || !std::isfinite(depth) || !(min <= value && value <= max))
                continue;
            samples->append(p.x());
            samples->append(p.y());
            samples->append(p.z() - depth);
            samples->append(value);
        }
    }
    if (bottom && !pairs.isEmpty()) {
        const double depth = pairs.constLast().x();
        if (std::isfinite(depth))
            bottom->append(Point3D(p.x(), p.y(), p.z() - depth));
    }
}

QString SampleCollector::unknownProbeMessage()
{
    return tr("Project data contain unknown probe");
}
