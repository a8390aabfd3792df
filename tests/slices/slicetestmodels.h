#pragma once

#include "slices/xathread.h"

#include <QList>
#include <QRandomGenerator>

#include <memory>

namespace SliceTestModels {

// The value field the models are built from.
inline double field(double x, double y, double z)
{
    return x + 2.0 * y + 3.0 * z;
}

// Flat surfaces over [-5, 25]^2, the bottom at 0 and the top at 10, and the
// linear field sampled at scattered points of the box between them (plus
// offset, which may make every value negative).
inline std::unique_ptr<XaThread> flatModels(double offset = 0.0)
{
    QList<Point3D> bottom;
    QList<Point3D> top;
    for (int i = 0; i <= 30; ++i)
        for (int j = 0; j <= 30; ++j) {
            bottom.append(Point3D(-5.0 + i, -5.0 + j, 0.0));
            top.append(Point3D(-5.0 + i, -5.0 + j, 10.0));
        }
    QList<double> samples;
    QRandomGenerator random(211);
    for (int k = 0; k < 3000; ++k) {
        const double x = -5.0 + 30.0 * random.generateDouble();
        const double y = -5.0 + 30.0 * random.generateDouble();
        const double z = -1.0 + 12.0 * random.generateDouble();
        samples << x << y << z << field(x, y, z) + offset;
    }
    std::unique_ptr<XaThread> thread(new XaThread);
    thread->setData(bottom, top, samples);
    thread->start();
    thread->wait();
    return thread;
}

} // namespace SliceTestModels
