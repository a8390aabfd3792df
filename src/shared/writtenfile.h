#pragma once

#include <QIODevice>

#include <functional>

class QFileDevice;
class QString;
class QTextStream;

// The end of writing a file. Qt 5's close() clears the error left by a
// failed last write (a full disk shows up only when the buffer goes out),
// so the device is flushed and checked before close() and once more after.
class WrittenFile
{
public:
    enum Result { Written, CannotOpen, CannotWrite };

    // True when every byte reached the system; the file is closed either way.
    static bool finish(QFileDevice& file);
    // The same after the stream has handed everything to the file.
    static bool finish(QTextStream& out, QFileDevice& file);

    // Opens the file with mode (write-only by default: an existing file is
    // replaced), lets write fill a text stream on it and finishes it.
    static Result writeText(const QString& fileName, const std::function<void(QTextStream&)>& write,
                            QIODevice::OpenMode mode = QIODevice::WriteOnly);
};
