#include "syntheticsurvey.h"

#include <QRandomGenerator>

#include <cmath>

double SyntheticSurvey::surface(double x, double y) const
{
    return 100.0 + 0.5 * std::sin(x / 80.0) * std::cos(y / 60.0);
}

SyntheticSurvey SyntheticSurvey::make(qint64 sampleCount, double positionNoise)
{
    SyntheticSurvey survey;
    const qint64 records = (sampleCount + depthsPerRecord - 1) / depthsPerRecord;
    const qint64 perLine = qMax<qint64>(1, qint64(std::sqrt(10.0 * double(records))));
    survey.width = double(perLine);
    survey.height = 10.0 * double((records + perLine - 1) / perLine);
    survey.topPoints.reserve(int(records));
    survey.bottomPoints.reserve(int(records));
    survey.samples.reserve(int(sampleCount * 4));

    QRandomGenerator random(20260701);
    auto noise = [&random](double amplitude) { return amplitude * (2.0 * random.generateDouble() - 1.0); };
    qint64 left = sampleCount;
    for (qint64 r = 0; r < records; ++r) {
        const double x = double(r % perLine) + noise(positionNoise);
        const double y = 10.0 * double(r / perLine) + noise(positionNoise);
        const double top = survey.surface(x, y) + noise(0.02);
        survey.topPoints.append(Point3D(x, y, top));
        const int depths = int(qMin<qint64>(depthsPerRecord, left));
        double z = top;
        for (int d = 0; d < depths; ++d) {
            z = top - 0.5 * (d + 1);
            const double value = 50.0 + 20.0 * std::sin(x / 40.0 + z / 5.0) * std::cos(y / 30.0) + noise(0.5);
            survey.samples << x << y << z << value;
        }
        left -= depths;
        survey.bottomPoints.append(Point3D(x, y, z));
    }
    return survey;
}
