#include "shared/elidedlabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>

namespace {

const QChar ellipsis(0x2026);

} // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
}

QSize ElidedLabel::sizeHint() const
{
    QSize hint = QLabel::sizeHint();
    const QScreen* shownOn = screen();
    if (shownOn)
        hint.setWidth(qMin(hint.width(), shownOn->availableGeometry().width() / 3));
    return hint;
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for an ellipsis: the rest may be cut.
    const int spare = width() - textArea().width();
    return QSize(fontMetrics().horizontalAdvance(ellipsis) + spare, QLabel::minimumSizeHint().height());
}

QRect ElidedLabel::textArea() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QString ElidedLabel::shownText() const
{
    const int width = textArea().width();
    if (fontMetrics().horizontalAdvance(text()) <= width)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, width);
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && isElided()) {
        // Plain text: a name is never read as markup.
        const QString tip = Qt::convertFromPlainText(text(), Qt::WhiteSpaceNormal);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, textArea(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}
