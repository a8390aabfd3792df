#include "probes/specificprocessoptionswidget.h"

#include "probes/graphicoptionswidget.h"
#include "probes/processoptionswidget.h"

SpecificProcessOptionsWidget::SpecificProcessOptionsWidget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    connect(enableCheckBox, &QCheckBox::clicked, this,
            &SpecificProcessOptionsWidget::onEnableClicked);
    connect(specificDataCheckBox, &QCheckBox::clicked, this,
            &SpecificProcessOptionsWidget::onSpecificDataClicked);
}

void SpecificProcessOptionsWidget::setProcessOptionsWidget(ProcessOptionsWidget* widget)
{
    if (m_processOptionsWidget || !widget)
        return;
    m_processOptionsWidget = widget;
    verticalLayout_2->addWidget(widget);
}

void SpecificProcessOptionsWidget::setGraphicOptionsWidget(GraphicOptionsWidget* widget)
{
    if (m_graphicOptionsWidget || !widget)
        return;
    m_graphicOptionsWidget = widget;
    verticalLayout_3->addWidget(widget);
}

void SpecificProcessOptionsWidget::setOptionsEnabled(bool enabled)
{
    enableCheckBox->setChecked(enabled);
    powFrame->setVisible(enabled);
    specificDataCheckBox->setVisible(enabled);
    gowFrame->setVisible(enabled);
}

void SpecificProcessOptionsWidget::setSpecificData(bool specificData)
{
    specificDataCheckBox->setChecked(specificData);
    gowFrame->setEnabled(specificData);
}

bool SpecificProcessOptionsWidget::isOptionsEnabled() const
{
    return enableCheckBox->isChecked();
}

bool SpecificProcessOptionsWidget::isSpecificData() const
{
    return enableCheckBox->isChecked() && specificDataCheckBox->isChecked();
}

void SpecificProcessOptionsWidget::onEnableClicked(bool checked)
{
    setOptionsEnabled(checked);
}

void SpecificProcessOptionsWidget::onSpecificDataClicked(bool checked)
{
    setSpecificData(checked);
}
