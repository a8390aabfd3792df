#include "app/distributiondialog.h"

#include "app/histogram.h"
#include "probes/storedoption.h"
#include "shared/applicationconstants.h"
#include "shared/plotcanvaslook.h"

#include <qwt_plot.h>
#include <qwt_plot_intervalcurve.h>
#include <qwt_scale_draw.h>

#include <QSettings>

namespace {

const QString settingsApplication = QStringLiteral("DistributionDialog");
const QString intervalsKey = QStringLiteral("intervals");

// Labels the ticks of an axis drawn at a fraction of the values.
class ScaledLabels : public QwtScaleDraw
{
public:
    explicit ScaledLabels(double factor) : m_factor(factor) {}

    QwtText label(double value) const override { return QwtScaleDraw::label(value / m_factor); }

private:
    double m_factor;
};

} // namespace

DistributionDialog::DistributionDialog(const QString& title, const QList<double>& values, QWidget* parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowCloseButtonHint), values(values)
{
    setupUi(this);
    titleLabel->setText(title);

    plot = new QwtPlot;
    plot->setAutoReplot(true);
    PlotCanvasLook::apply(plot);
    plotFrame->layout()->addWidget(plot);

    curve = new QwtPlotIntervalCurve(QString());
    curve->setPen(QPen(Qt::NoPen));
    curve->setBrush(QBrush(QColor(255, 128, 128), Qt::SolidPattern));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve->attach(plot);

    const QSettings settings(applicationName, settingsApplication);
    StoredOption::restoreIndex(settings, intervalsKey, intervalsComboBox);

    connect(intervalsComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DistributionDialog::updateDistribution);
    updateDistribution();
}

DistributionDialog::~DistributionDialog()
{
    QSettings settings(applicationName, settingsApplication);
    settings.setValue(intervalsKey, intervalsComboBox->currentIndex());
}

void DistributionDialog::updateDistribution()
{
    const Histogram histogram(values, intervalsComboBox->currentText().toInt());
    const double scale = histogram.plotScale();
    curve->setSamples(histogram.samples(scale));
    if (histogram.isEmpty()) {
        // No range to show: the value axis stays as it is, and the share
        // axis shows percent rather than the library's empty 0 to 1000.
        plot->setAxisScale(QwtPlot::yLeft, 0.0, 100.0);
    } else {
        plot->setAxisScaleDraw(QwtPlot::xBottom, new ScaledLabels(scale));
        plot->setAxisScale(QwtPlot::xBottom, histogram.lower() * scale, histogram.upper() * scale);
        plot->setAxisAutoScale(QwtPlot::yLeft, true);
    }
}
