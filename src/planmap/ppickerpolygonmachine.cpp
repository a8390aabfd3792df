#include "planmap/ppickerpolygonmachine.h"

#include <qwt_event_pattern.h>

#include <QMouseEvent>

#include <climits>
#include <cstdlib>

PPickerPolygonMachine::PPickerPolygonMachine(QObject* parent)
    : QObject(parent), m_first(INT_MIN, INT_MIN), m_last(INT_MAX, INT_MAX)
{
}

bool PPickerPolygonMachine::nearFirst(const QPoint& p) const
{
    // In 64 bits: the idle vertices sit at the ends of the int range.
    return std::llabs(qint64(p.x()) - m_first.x()) < tolerance && std::llabs(qint64(p.y()) - m_first.y()) < tolerance;
}

QList<QwtPickerMachine::Command> PPickerPolygonMachine::transition(const QwtEventPattern& pattern,
                                                                    const QEvent* event)
{
    QList<Command> commands;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (!pattern.mouseMatch(QwtEventPattern::MouseSelect1, mouse))
            break;
        const QPoint p = mouse->pos();
        if (state() == 0) {
            commands << Begin << Append << Append;
            setState(1);
            m_first = p;
            m_last = p;
            break;
        }
        if (p == m_last)
            break;
        m_last = p;
        commands << Append;
        if (nearFirst(p)) {
            commands << End;
            setState(0);
            m_first = QPoint(INT_MAX, INT_MAX);
            m_last = QPoint(INT_MAX, INT_MAX);
        }
        break;
    }
    case QEvent::MouseMove:
        if (state() != 0) {
            commands << Move;
            emit s_close(nearFirst(static_cast<const QMouseEvent*>(event)->pos()));
        }
        break;
    default:
        break;
    }
    return commands;
}
