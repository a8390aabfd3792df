#pragma once

#include <qwt_plot_picker.h>

class PPickerPolygonMachine;

// Draws the selection polygon on the plan-map canvas; the rubber band turns
// red while the cursor is over the point that closes it. The closed polygon
// arrives through QwtPlotPicker::selected(const QVector<QPointF>&).
class PPlotPolygonPicker : public QwtPlotPicker
{
    Q_OBJECT

public:
    explicit PPlotPolygonPicker(QWidget* canvas);

    PPickerPolygonMachine* machine() const { return m_machine; }

    void onClose(bool close);

protected:
    void drawRubberBand(QPainter* painter) const override;

private:
    PPickerPolygonMachine* m_machine;
};
