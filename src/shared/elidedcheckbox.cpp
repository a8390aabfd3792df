#include "shared/elidedcheckbox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextDocument>
#include <QToolTip>

namespace {

// The text as the user reads it: "&&" is a single "&", a lone "&" marks
// the shortcut and is not shown.
QString withoutMnemonics(const QString& text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text.at(i));
    }
    return plain;
}

} // namespace

ElidedCheckBox::ElidedCheckBox(QWidget* parent) : QCheckBox(parent)
{
}

QSize ElidedCheckBox::minimumSizeHint() const
{
    // Room for the indicator and an ellipsis: the rest may be cut.
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize ellipsis = fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("\u2026"));
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, ellipsis, this)
        .expandedTo(QApplication::globalStrut());
}

QString ElidedCheckBox::shownText() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int width = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this).width();
    if (fontMetrics().size(Qt::TextShowMnemonic, text()).width() <= width)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, width, Qt::TextShowMnemonic);
}

bool ElidedCheckBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && isElided()) {
        // Plain text: a title is never read as markup.
        const QString tip = Qt::convertFromPlainText(withoutMnemonics(text()), Qt::WhiteSpaceNormal);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        return true;
    }
    return QCheckBox::event(event);
}

void ElidedCheckBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawControl(QStyle::CE_CheckBox, option);
}
