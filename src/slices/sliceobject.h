#pragma once

#include <QDataStream>
#include <QPolygonF>
#include <QString>

class QwtPlotCurve;

// One slice: a vertical cut along a 2-point line or a horizontal cut over a
// 4-corner outline at a height, with its outline curve on the plan map.
// The slice owns its curve. A copy takes the data only, never the curve, so
// every curve is deleted exactly once. A slice without a curve is valid: the
// calls that would touch the curve then do nothing to it.
class SliceObject
{
public:
    SliceObject() = default;
    SliceObject(const SliceObject& other);
    SliceObject& operator=(const SliceObject& other);
    ~SliceObject();

    void setDeleted() { m_deleted = true; }
    bool isDeleted() const { return m_deleted; }

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    void setHeight(double height) { m_height = height; }
    double height() const { return m_height; }

    void setTitle(const QString& title) { m_title = title; }
    QString title() const { return m_title; }

    void setPolygon(const QPolygonF& polygon) { m_polygon = polygon; }
    const QPolygonF& polygon() const { return m_polygon; }

    // Fewer than three points make a vertical slice.
    bool isVertical() const { return m_polygon.size() < 3; }

    void applyHidden(bool hidden);
    void updateCurve();
    // Takes ownership; a curve held before is released first.
    void setCurve(QwtPlotCurve* curve);
    QwtPlotCurve* curve() const { return m_curve; }

    void write(QDataStream& out) const;
    void read(QDataStream& in);

private:
    void releaseCurve();

    bool m_deleted = false;
    bool m_enabled = true;
    double m_height = 0.0;
    QString m_title;
    QPolygonF m_polygon;
    QwtPlotCurve* m_curve = nullptr;
};

// What SliceObjectList::at answers for an empty list.
extern SliceObject emptySliceObject;

QDataStream& operator<<(QDataStream& out, const SliceObject& slice);
QDataStream& operator>>(QDataStream& in, SliceObject& slice);
