#include "probes/trackpoints.h"

#include "probes/processoptionswidget.h"
#include "probes/zndtranslator.h"
#include "survey/track.h"

#include <QScopedPointer>

bool TrackPoints::visit(const Track& track, const Visitor& visitor)
{
    if (track.records().isEmpty())
        return false;
    QScopedPointer<ZndTranslator> translator(createTranslator(track.probeId()));
    if (!translator || !translator->setSpecifications(track.specifications()))
        return false;
    // Never shown: it only hands the stored process options to the module.
    QScopedPointer<ProcessOptionsWidget> options(translator->createProcessOptionsWidget());
    if (!options)
        return false;
    for (const TrackRecord& record : track.records()) {
        bool ok = true;
        const QVector<QPointF> points = translator->points(record.data(), options.data(), &ok);
        visitor(record, ok ? points : QVector<QPointF>(), ok);
    }
    // The widget goes before the translator that made it.
    options.reset();
    return true;
}
