#include "probes/legacy/graphicoptionswidget_legacy.h"

#include "probes/storedoption.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

GraphicOptionsWidget_Legacy::GraphicOptionsWidget_Legacy(QWidget* parent)
    : GraphicOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Legacy"));
    StoredOption::restoreIndex(settings, QStringLiteral("f"), fComboBox);
    connect(fComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GraphicOptionsWidget::optionsChanged);
}

GraphicOptionsWidget_Legacy::~GraphicOptionsWidget_Legacy()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Legacy"));
    settings.setValue(QStringLiteral("f"), fComboBox->currentIndex());
}
