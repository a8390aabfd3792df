#pragma once

#include "survey/trackrecord.h"

#include <QRandomGenerator>

// A Kestrion-sized record (176 bytes of random channel data, every channel
// marked valid) at a position and time.
inline TrackRecord syntheticKestrionRecord(QRandomGenerator& random, const Point3D& position, const QDateTime& time)
{
    TrackRecord record;
    record.setPosition(position);
    QByteArray data(176, '\0');
    for (int b = 0; b < 168; b += 4) {
        const quint32 word = random.generate();
        memcpy(data.data() + b, &word, 4);
    }
    data[168] = char(0xFF);
    data[169] = char(0x3F);
    record.setData(data);
    record.setTime(time);
    return record;
}
