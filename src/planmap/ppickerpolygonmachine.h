#pragma once

#include <qwt_picker_machine.h>

#include <QObject>
#include <QPoint>

// Polygon drawing on the plan map: each left click adds a vertex, and a click
// within a few pixels of the first vertex closes the polygon. There is no
// other way to finish it.
class PPickerPolygonMachine : public QObject, public QwtPickerPolygonMachine
{
    Q_OBJECT

public:
    explicit PPickerPolygonMachine(QObject* parent = nullptr);

    QList<Command> transition(const QwtEventPattern& pattern, const QEvent* event) override;

    // Closing distance in pixels, on each axis.
    static constexpr int tolerance = 5;

signals:
    // Whether the cursor is over the closing zone of the first vertex.
    void s_close(bool close);

private:
    bool nearFirst(const QPoint& p) const;

    QPoint m_first;
    QPoint m_last;
};
