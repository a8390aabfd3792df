#pragma once

#include "ui_distributiondialog.h"

#include <QDialog>
#include <QList>

class QwtPlot;
class QwtPlotIntervalCurve;

// The histogram of a list of values in percent, with a chosen number of
// intervals that is kept between uses. Knows nothing of where the values
// come from.
class DistributionDialog : public QDialog, public Ui::UIDistributionDialog
{
    Q_OBJECT

public:
    DistributionDialog(const QString& title, const QList<double>& values, QWidget* parent = nullptr);
    // Stores the chosen number of intervals, however the dialog was closed.
    ~DistributionDialog() override;

public slots:
    void updateDistribution();

private:
    QwtPlot* plot = nullptr;
    QwtPlotIntervalCurve* curve = nullptr;
    QList<double> values;
};
