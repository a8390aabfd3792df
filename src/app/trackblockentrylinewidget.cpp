#include "app/trackblockentrylinewidget.h"

#include "app/distributiondialog.h"
#include "app/profiledialog.h"
#include "app/trackblockentryinfodialog.h"
#include "survey/trackblockentry.h"

TrackBlockEntryLineWidget::TrackBlockEntryLineWidget(TrackBlockEntry* entry, QWidget* parent)
    : QWidget(parent), m_entry(entry)
{
    setupUi(this);
    updateView();
    connect(checkBox, &QCheckBox::clicked, this, &TrackBlockEntryLineWidget::onCheckBoxClicked);
    connect(profileToolButton, &QToolButton::clicked, this, &TrackBlockEntryLineWidget::showProfile);
    connect(infoToolButton, &QToolButton::clicked, this, &TrackBlockEntryLineWidget::showInfo);
    connect(distributionToolButton, &QToolButton::clicked, this, &TrackBlockEntryLineWidget::showDistribution);
}

void TrackBlockEntryLineWidget::updateView()
{
    checkBox->setChecked(m_entry->isEnabled());
    // "&" in a name would otherwise become a shortcut.
    checkBox->setText(m_entry->name().replace(QLatin1Char('&'), QLatin1String("&&")));
}

void TrackBlockEntryLineWidget::onCheckBoxClicked(bool on)
{
    m_entry->setEnabled(on);
    emit sendModified();
}

void TrackBlockEntryLineWidget::showProfile()
{
    ProfileDialog dialog(m_entry);
    dialog.exec();
}

void TrackBlockEntryLineWidget::showInfo()
{
    TrackBlockEntryInfoDialog dialog(m_entry);
    dialog.exec();
    // New specifications are an edit of the project: closing must offer to
    // save them.
    if (dialog.specificationsLoaded())
        emit sendModified();
}

void TrackBlockEntryLineWidget::showDistribution()
{
    // Also when the entry is switched off.
    QList<double> values;
    m_entry->values(values);
    DistributionDialog dialog(m_entry->name(), values);
    dialog.exec();
}
