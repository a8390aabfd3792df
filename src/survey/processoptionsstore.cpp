#include "survey/processoptionsstore.h"

ProcessOptionsStore* ProcessOptionsStore::instance()
{
    // Deliberately never destroyed, so that nothing running late in the
    // process's shutdown finds it gone.
    static ProcessOptionsStore* const store = new ProcessOptionsStore;
    return store;
}

void ProcessOptionsStore::setOptions(const QMap<ProbeId, SpecificProcessOptions>& options)
{
    m_options = options;
}

void ProcessOptionsStore::clear()
{
    m_options.clear();
}
