#include "survey/point3d.h"

#include <cmath>

bool Point3D::isFinite() const
{
    return std::isfinite(m_x) && std::isfinite(m_y) && std::isfinite(m_z);
}

double Point3D::distance(const Point3D& other) const
{
    const double dx = m_x - other.m_x;
    const double dy = m_y - other.m_y;
    const double dz = m_z - other.m_z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Point3D::distance2D(const Point3D& other) const
{
    const double dx = m_x - other.m_x;
    const double dy = m_y - other.m_y;
    return std::sqrt(dx * dx + dy * dy);
}

QDataStream& operator<<(QDataStream& out, const Point3D& p)
{
    out << p.x() << p.y() << p.z();
    return out;
}

QDataStream& operator>>(QDataStream& in, Point3D& p)
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    in >> x >> y >> z;
    p = Point3D(x, y, z);
    return in;
}
