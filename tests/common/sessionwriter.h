#pragma once

#include "survey/track.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Writes session files the way the acquisition program does, so that the
// loader can be tested over real files.
namespace SessionWriter {

QByteArray bytes(const QMap<QString, QString>& info, const QList<Track>& tracks);
bool write(const QString& path, const QMap<QString, QString>& info, const QList<Track>& tracks);

// A simulator record: five signed values and five validity bytes.
QByteArray simulatorRecord(const QList<int>& values, const QList<int>& validity);
// A track of the given probe with records along the x axis, one per second.
Track track(const ProbeId& probe, const QByteArray& specifications, const QList<QByteArray>& records,
            double y = 0.0, double z = 0.0);

} // namespace SessionWriter
