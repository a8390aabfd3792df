#include "probes/kestrion/graphicoptionswidget_kestrion.h"

#include "probes/storedoption.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

GraphicOptionsWidget_Kestrion::GraphicOptionsWidget_Kestrion(QWidget* parent)
    : GraphicOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Kestrion"));
    StoredOption::restoreIndex(settings, QStringLiteral("f"), fComboBox);
    connect(fComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GraphicOptionsWidget::optionsChanged);
}

GraphicOptionsWidget_Kestrion::~GraphicOptionsWidget_Kestrion()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Kestrion"));
    settings.setValue(QStringLiteral("f"), fComboBox->currentIndex());
}
