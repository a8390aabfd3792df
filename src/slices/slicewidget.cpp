#include "slices/slicewidget.h"

#include "shared/applicationconstants.h"
#include "shared/numberfield.h"
#include "shared/preferences.h"
#include "slices/sliceobject.h"
#include "slices/sliceplot.h"
#include "slices/xathread.h"
#include "slices/xbthread.h"
#include "slices/xcthread.h"

#include <QLineF>
#include <QMessageBox>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

const QString settingsApplication = QStringLiteral("SliceWidget");
const QString gridKey = QStringLiteral("grid");

} // namespace

SliceWidget::SliceWidget(QWidget* parent) : QWidget(parent)
{
    m_xbThread = new XbThread(this);
    m_xcThread = new XcThread(this);

    setupUi(this);
    v_Label->setText(v_Label->text().replace(QLatin1Char('*'), QChar(0x00B7)));
    waitFrame->hide();

    connect(m_xbThread, &XbThread::progress, this, &SliceWidget::setProgress, Qt::QueuedConnection);
    connect(m_xcThread, &XcThread::progress, this, &SliceWidget::setProgress, Qt::QueuedConnection);
    connect(cancelPushButton, &QPushButton::clicked, this, &SliceWidget::terminateXb);
    connect(cancelPushButton, &QPushButton::clicked, this, &SliceWidget::terminateXc);
    connect(m_xbThread, &QThread::finished, this, &SliceWidget::onXbFinished, Qt::QueuedConnection);
    connect(m_xcThread, &QThread::finished, this, &SliceWidget::onXcFinished, Qt::QueuedConnection);

    QSettings settings(applicationName, settingsApplication);
    gridCheckBox->setChecked(settings.value(gridKey, false).toBool());
}

SliceWidget::~SliceWidget()
{
    stop();
    QSettings settings(applicationName, settingsApplication);
    settings.setValue(gridKey, gridCheckBox->isChecked());
}

void SliceWidget::setPlot(SlicePlot* plot)
{
    m_plot = plot;
    if (!m_plot)
        return;
    plotFrame->layout()->addWidget(m_plot);
    connect(exportPushButton, &QPushButton::clicked, m_plot, &SlicePlot::exportImage);
    connect(gridCheckBox, &QCheckBox::clicked, m_plot, &SlicePlot::setGridVisible);
    connect(m_plot, &SlicePlot::currentPoint, this, &SliceWidget::setCurrentPoint);
    m_plot->setGridVisible(gridCheckBox->isChecked());
}

void SliceWidget::setSource(XaThread* source)
{
    m_source = source;
}

void SliceWidget::clear()
{
    if (m_plot)
        m_plot->setData(SliceRasterData());
}

void SliceWidget::stop()
{
    for (QThread* worker : {static_cast<QThread*>(m_xbThread), static_cast<QThread*>(m_xcThread)}) {
        worker->requestInterruption();
        worker->wait();
    }
    if (m_active) {
        m_active = nullptr;
        showWait(false);
    }
}

void SliceWidget::compute(const SliceObject* slice)
{
    // Neither worker may have its inputs set, nor the models be read by
    // two threads, while a run goes on.
    stop();
    clear();
    m_current = slice;
    if (!slice || slice->polygon().isEmpty())
        return;

    progressBar->setValue(0);
    showWait(true);
    const double step = Preferences::instance()->imagePixelSize();
    const QPolygonF& polygon = slice->polygon();
    if (slice->isVertical()) {
        m_xbThread->setData(m_source, QLineF(polygon.first(), polygon.last()), step);
        m_xbRuns.start();
        m_active = m_xbThread;
        m_xbThread->start(QThread::InheritPriority);
    } else {
        m_xcThread->setData(m_source, polygon, slice->height(), step);
        m_xcRuns.start();
        m_active = m_xcThread;
        m_xcThread->start(QThread::InheritPriority);
    }
}

void SliceWidget::setProgress(int percent)
{
    // Progress of a stopped or superseded run may still be queued.
    QObject* worker = sender();
    if (!worker || worker != m_active)
        return;
    if (!(worker == m_xbThread ? m_xbRuns : m_xcRuns).latestRunning())
        return;
    progressBar->setValue(percent);
}

void SliceWidget::terminate(QThread* worker)
{
    worker->requestInterruption();
    if (m_active == worker) {
        m_active = nullptr;
        showWait(false);
    }
}

void SliceWidget::terminateXb()
{
    terminate(m_xbThread);
}

void SliceWidget::terminateXc()
{
    terminate(m_xcThread);
}

bool SliceWidget::takeFinished(QThread* worker, RunGeneration& runs)
{
    if (!runs.end() || m_active != worker)
        return false;
    m_active = nullptr;
    return true;
}

void SliceWidget::onXbFinished()
{
    if (takeFinished(m_xbThread, m_xbRuns))
        showResult(m_xbThread);
}

void SliceWidget::onXcFinished()
{
    if (takeFinished(m_xcThread, m_xcRuns))
        showResult(m_xcThread);
}

void SliceWidget::showResult(const QThread* worker)
{
    const SliceRasterData& result = worker == m_xbThread ? m_xbThread->result() : m_xcThread->result();
    showWait(false);
    if (result.isTooLarge()) {
        QMessageBox::warning(this, QString(), tr("Slice is too large"), QMessageBox::Ok);
        return;
    }
    if (m_plot)
        m_plot->setData(result);
}

void SliceWidget::showWait(bool wait)
{
    line->setVisible(!wait);
    plotFrame->setVisible(!wait);
    gridCheckBox->setVisible(!wait);
    exportPushButton->setVisible(!wait);
    // The wait frame takes the room the line and the plot leave, beside the
    // read-out row that stays; any taller and the view would push the
    // splitter it sits in for as long as it waits.
    const QMargins margins = verticalLayout_2->contentsMargins();
    horizontalLayout->invalidate();
    const int readOut = horizontalLayout->sizeHint().height() + verticalLayout_2->spacing();
    waitFrame->setFixedHeight(std::max(0, height() - margins.top() - margins.bottom() - readOut));
    waitFrame->setVisible(wait);
}

void SliceWidget::setCurrentPoint(Point3D point)
{
    xLabel->setText(NumberField::text(point.x()));
    yLabel->setText(NumberField::text(point.y()));
    // The plot reports NaN where the slice holds no data.
    QString value;
    if (!std::isnan(point.z())) {
        value = NumberField::text(point.z());
        if (value == QLatin1String("nan"))
            value.clear();
    }
    vLabel->setText(value);
    // Each label takes the size of its new text, so a longer value is never cut.
    for (QLabel* label : {xLabel, yLabel, vLabel})
        label->setFixedSize(label->sizeHint());
}
