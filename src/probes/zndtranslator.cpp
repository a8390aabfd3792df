#include "probes/zndtranslator.h"

#include "probes/kestrion/zndtranslator_kestrion.h"
#include "probes/legacy/zndtranslator_legacy.h"
#include "probes/simulator/zndtranslator_simulator.h"

ZndTranslator::~ZndTranslator() = default;

QStringList ZndTranslator::rawDataHeaders()
{
    return {};
}

QStringList ZndTranslator::rawDataValues(const QByteArray&)
{
    return {};
}

int ZndTranslator::auxiliaryValue()
{
    return 0;
}

ZndTranslator* createTranslator(const ProbeId& id)
{
    if (id == ProbeId(0, 0))
        return new ZndTranslator_Simulator;
    if (id == ProbeId(1, 0))
        return new ZndTranslator_Kestrion;
    if (id == ProbeId(254, 254))
        return new ZndTranslator_Legacy;
    return nullptr;
}
