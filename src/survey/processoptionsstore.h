#pragma once

#include "survey/probeid.h"
#include "survey/specificprocessoptions.h"

#include <QMap>

// The processing options of the current project per probe model, one object
// for the whole process. It is never saved: a new or opened project starts
// with it empty.
class ProcessOptionsStore
{
public:
    // The one store, made empty on the first call and kept to the end.
    static ProcessOptionsStore* instance();

    QMap<ProbeId, SpecificProcessOptions>& options() { return m_options; }
    const QMap<ProbeId, SpecificProcessOptions>& options() const { return m_options; }
    void setOptions(const QMap<ProbeId, SpecificProcessOptions>& options);
    void clear();

private:
    ProcessOptionsStore() = default;
    ProcessOptionsStore(const ProcessOptionsStore&) = delete;
    ProcessOptionsStore& operator=(const ProcessOptionsStore&) = delete;

    QMap<ProbeId, SpecificProcessOptions> m_options;
};
