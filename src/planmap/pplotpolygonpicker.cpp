#include "planmap/pplotpolygonpicker.h"

#include "planmap/ppickerpolygonmachine.h"

#include <QPainter>
#include <QPen>

PPlotPolygonPicker::PPlotPolygonPicker(QWidget* canvas) : QwtPlotPicker(canvas)
{
    // The picker deletes its state machine itself; as a Qt child the machine
    // then simply leaves the picker's children.
    m_machine = new PPickerPolygonMachine(this);
    setStateMachine(m_machine);
    setRubberBand(QwtPicker::PolygonRubberBand);
    setRubberBandPen(QPen(Qt::darkGray));
    connect(m_machine, &PPickerPolygonMachine::s_close, this, &PPlotPolygonPicker::onClose);
}

void PPlotPolygonPicker::onClose(bool close)
{
    setRubberBandPen(QPen(close ? Qt::red : Qt::darkGray));
}

void PPlotPolygonPicker::drawRubberBand(QPainter* painter) const
{
    painter->setRenderHint(QPainter::Antialiasing);
    QwtPlotPicker::drawRubberBand(painter);
}
