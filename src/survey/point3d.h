#pragma once

#include <QDataStream>
#include <QMetaType>

// A point in local metres; z is the height.
class Point3D
{
public:
    Point3D(double x = 0.0, double y = 0.0, double z = 0.0) : m_x(x), m_y(y), m_z(z) {}

    double x() const { return m_x; }
    double y() const { return m_y; }
    double z() const { return m_z; }
    void setX(double x) { m_x = x; }
    void setY(double y) { m_y = y; }
    void setZ(double z) { m_z = z; }

    // Whether no coordinate is infinite or NaN.
    bool isFinite() const;
    double distance(const Point3D& other) const;
    double distance2D(const Point3D& other) const;

private:
    double m_x;
    double m_y;
    double m_z;
};

Q_DECLARE_METATYPE(Point3D)

QDataStream& operator<<(QDataStream& out, const Point3D& p);
QDataStream& operator>>(QDataStream& in, Point3D& p);
