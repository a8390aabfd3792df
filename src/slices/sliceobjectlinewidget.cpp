#include "slices/sliceobjectlinewidget.h"

#include "shared/numberfield.h"
#include "slices/move2dialog.h"
#include "slices/move3dialog.h"
#include "slices/sliceobject.h"
#include "slices/sliceobjectwidget.h"

#include <QMessageBox>

SliceObjectLineWidget::SliceObjectLineWidget(SliceObject* sliceObject, QWidget* parent)
    : QWidget(parent), m_sliceObject(sliceObject)
{
    setupUi(this);
    update();
    connect(checkBox, &QCheckBox::clicked, this, &SliceObjectLineWidget::onEnabled);
    connect(removeToolButton, &QToolButton::clicked, this, &SliceObjectLineWidget::remove);
    connect(moveToolButton, &QToolButton::clicked, this, qOverload<>(&SliceObjectLineWidget::move));
    connect(viewToolButton, &QToolButton::clicked, this, &SliceObjectLineWidget::onView);
}

void SliceObjectLineWidget::update()
{
    viewToolButton->setEnabled(m_sliceObject->isEnabled());
    checkBox->setChecked(m_sliceObject->isEnabled());
    // "&" in a title would otherwise become a shortcut.
    checkBox->setText(m_sliceObject->title().replace(QLatin1Char('&'), QLatin1String("&&")));
    updateHeight();
}

void SliceObjectLineWidget::updateHeight()
{
    const bool vertical = m_sliceObject->isVertical();
    vLabel->setVisible(vertical);
    hLabel->setVisible(!vertical);
    if (vertical)
        heightLabel->clear();
    else
        heightLabel->setText(tr("h = %1 m").arg(NumberField::text(m_sliceObject->height())));
}

void SliceObjectLineWidget::onEnabled(bool b)
{
    viewToolButton->setEnabled(b);
    m_sliceObject->setEnabled(b);
    emit sendEnabled(b);
    emit sendModified();
}

void SliceObjectLineWidget::onView()
{
    emit sendView(m_sliceObject);
}

void SliceObjectLineWidget::remove()
{
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QString(), tr("Remove %1?").arg(m_sliceObject->title()),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;
    m_sliceObject->setDeleted();
    if (auto* sliceWidget = qobject_cast<SliceObjectWidget*>(parentWidget()))
        sliceWidget->deleteLater();
    emit sendModified();
}

void SliceObjectLineWidget::move()
{
    const QPolygonF polygon = m_sliceObject->polygon();
    if (m_sliceObject->isVertical()) {
        // A slice from a foreign file may hold one point or none; missing
        // points show as (0, 0).
        const QPointF last = polygon.isEmpty() ? QPointF() : polygon.last();
        Move2Dialog dialog(m_sliceObject->title(), polygon.value(0), last);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_sliceObject->setPolygon(dialog.polygon());
        m_sliceObject->updateCurve();
    } else {
        Move3Dialog dialog(m_sliceObject->title(), m_sliceObject->height(), polygon);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_sliceObject->setPolygon(dialog.polygon());
        m_sliceObject->setHeight(dialog.height());
        m_sliceObject->updateCurve();
        updateHeight();
    }
    emit sendModified();
}
