#include "app/profiledialog.h"

#include "app/profileplot.h"
#include "app/profilesamples.h"
#include "survey/trackblockentry.h"

ProfileDialog::ProfileDialog(TrackBlockEntry* entry, QWidget* parent)
    : QDialog(parent, Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint)
{
    setupUi(this);
    titleLabel->setText(entry->name());

    m_profilePlot = new ProfilePlot;
    plotFrame->layout()->addWidget(m_profilePlot);

    const ProfileSamples samples = ProfileSamples::of(entry->track());
    m_profilePlot->setData(samples.surface, samples.depths);
}
