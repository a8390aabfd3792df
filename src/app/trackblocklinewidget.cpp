#include "app/trackblocklinewidget.h"

#include "app/distributiondialog.h"
#include "app/move1dialog.h"
#include "app/rotatedialog.h"
#include "app/scaledialog.h"
#include "app/trackblockinfodialog.h"
#include "survey/trackblock.h"

#include <QMessageBox>

TrackBlockLineWidget::TrackBlockLineWidget(TrackBlock* block, QWidget* parent) : QWidget(parent), m_block(block)
{
    setupUi(this);
    updateView();
    connect(checkBox, &QCheckBox::clicked, this, &TrackBlockLineWidget::onCheckBoxClicked);
    connect(removeToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::removeBlock);
    connect(moveToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::moveBlock);
    connect(rotateToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::rotateBlock);
    connect(scaleToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::scaleBlock);
    connect(infoToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::showInfo);
    connect(distributionToolButton, &QToolButton::clicked, this, &TrackBlockLineWidget::showDistribution);
}

void TrackBlockLineWidget::updateView()
{
    checkBox->setChecked(m_block->isEnabled());
    // "&" in a file name would otherwise become a shortcut.
    checkBox->setText(m_block->name().replace(QLatin1Char('&'), QLatin1String("&&")));
}

void TrackBlockLineWidget::onCheckBoxClicked(bool on)
{
    m_block->setEnabled(on);
    emit sendEnabled(on);
    emit sendModified();
}

void TrackBlockLineWidget::removeBlock()
{
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QString(), tr("Remove %1?").arg(m_block->name()),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;
    m_block->markDeleted();
    if (QWidget* blockWidget = parentWidget())
        blockWidget->deleteLater();
    emit sendModified();
}

void TrackBlockLineWidget::moveBlock()
{
    Move1Dialog dialog(m_block->name(), m_block->origin());
    if (dialog.exec() == QDialog::Accepted && m_block->moveTo(dialog.point()))
        emit sendModified();
}

void TrackBlockLineWidget::rotateBlock()
{
    RotateDialog dialog(m_block->name());
    if (dialog.exec() == QDialog::Accepted && m_block->rotate(dialog.angle()))
        emit sendModified();
}

void TrackBlockLineWidget::scaleBlock()
{
    ScaleDialog dialog(m_block->name());
    if (dialog.exec() == QDialog::Accepted && m_block->scale(dialog.xFactor(), dialog.yFactor()))
        emit sendModified();
}

void TrackBlockLineWidget::showInfo()
{
    TrackBlockInfoDialog dialog(m_block);
    dialog.exec();
}

void TrackBlockLineWidget::showDistribution()
{
    // The enabled entries, whether or not the block itself is switched on.
    QList<double> values;
    for (const TrackBlockEntry& entry : m_block->entries()) {
        if (entry.isEnabled())
            entry.values(values);
    }
    DistributionDialog dialog(m_block->name(), values);
    dialog.exec();
}
