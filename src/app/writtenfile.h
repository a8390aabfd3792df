#pragma once

class QFileDevice;
class QTextStream;

// The end of writing a file. Qt 5's close() clears the error left by a
// failed last write (a full disk shows up only when the buffer goes out),
// so the device is flushed and checked before close() and once more after.
class WrittenFile
{
public:
    // True when every byte reached the system; the file is closed either way.
    static bool finish(QFileDevice& file);
    // The same after the stream has handed everything to the file.
    static bool finish(QTextStream& out, QFileDevice& file);
};
