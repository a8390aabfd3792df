#pragma once

#include "slices/slicethread.h"

#include <QLineF>

// Computes a vertical slice in a worker thread: a curtain standing on a line
// of the plan between the lower and the upper boundary surface, sampled
// from the models of an XaThread.
class XbThread final : public SliceThread
{
    Q_OBJECT

public:
    explicit XbThread(QObject* parent = nullptr);
    ~XbThread() override;

    // Only while the thread is not running. The step is kept at 0.01 or more.
    void setData(XaThread* source, const QLineF& line, double step);

protected:
    void run() override;

private:
    QLineF m_line;
};
