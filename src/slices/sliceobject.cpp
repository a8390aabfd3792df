#include "slices/sliceobject.h"

#include "survey/readlist.h"

#include <qwt_plot_curve.h>

#include <QVector>

SliceObject emptySliceObject;

SliceObject::SliceObject(const SliceObject& other)
    : m_deleted(other.m_deleted),
      m_enabled(other.m_enabled),
      m_height(other.m_height),
      m_title(other.m_title),
      m_polygon(other.m_polygon)
{
}

SliceObject& SliceObject::operator=(const SliceObject& other)
{
    if (this != &other) {
        m_deleted = other.m_deleted;
        m_enabled = other.m_enabled;
        m_height = other.m_height;
        m_title = other.m_title;
        m_polygon = other.m_polygon;
        // Our own curve stays ours and shows the new outline.
        updateCurve();
    }
    return *this;
}

SliceObject::~SliceObject()
{
    releaseCurve();
}

void SliceObject::releaseCurve()
{
    if (!m_curve)
        return;
    m_curve->setSamples(QVector<QPointF>());
    m_curve->detach();
    delete m_curve;
    m_curve = nullptr;
}

void SliceObject::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_curve)
        m_curve->setVisible(enabled);
}

void SliceObject::applyHidden(bool hidden)
{
    if (m_curve)
        m_curve->setVisible(!hidden && m_enabled);
}

void SliceObject::updateCurve()
{
    if (!m_curve)
        return;
    QVector<QPointF> points(m_polygon);
    // A horizontal slice is drawn as a closed outline, a vertical one as an open line.
    if (points.size() > 2)
        points.append(points.first());
    m_curve->setSamples(points);
}

void SliceObject::setCurve(QwtPlotCurve* curve)
{
    if (curve != m_curve) {
        releaseCurve();
        m_curve = curve;
    }
    updateCurve();
}

void SliceObject::write(QDataStream& out) const
{
    out << m_deleted << m_enabled << m_height << m_title << m_polygon;
}

void SliceObject::read(QDataStream& in)
{
    in >> m_deleted >> m_enabled >> m_height >> m_title;
    readList(in, m_polygon);
    updateCurve();
}

QDataStream& operator<<(QDataStream& out, const SliceObject& slice)
{
    slice.write(out);
    return out;
}

QDataStream& operator>>(QDataStream& in, SliceObject& slice)
{
    slice.read(in);
    return in;
}
