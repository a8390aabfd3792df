#pragma once

#include <QByteArray>
#include <QDataStream>

// The longest byte array a session or project file may hold. No probe's
// specifications block or raw record comes near it (the largest is 1,164
// bytes), so a longer one is damage, however many bytes follow it.
constexpr quint32 maxStoredByteArray = 1024 * 1024;

// Reads a byte array as Qt writes it: a 32-bit length (0xFFFFFFFF for a null
// array), then the bytes. Qt's own reader takes any length the file holds,
// up to gigabytes; this one refuses a length above maxStoredByteArray before
// allocating, empties the array and sets the stream to ReadCorruptData.
// A stream already in error reads nothing.
QDataStream& readByteArray(QDataStream& in, QByteArray& bytes);
