#include "planmap/planmapplottoolwidget.h"

#include "shared/numberfield.h"

namespace {

// The widest read-out of a coordinate that the number fields take, written
// with the font's widest digit.
QString widestReadOut(const QFontMetrics& metrics)
{
    QChar widestDigit(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(digit);
    }
    QString widest = NumberField::text(-NumberField::limit(NumberField::Metres));
    for (QChar& c : widest) {
        if (c.isDigit())
            c = widestDigit;
    }
    return widest;
}

// Fixes the label at a size that holds every coordinate the fields take,
// so that the button beside it stays where it is as the cursor moves; a
// value far off the survey widens it rather than being cut.
void showValue(QLabel* label, const QString& text)
{
    label->setText(text);
    const QFontMetrics metrics = label->fontMetrics();
    const QSize widest = metrics.size(0, widestReadOut(metrics));
    const QMargins margins = label->contentsMargins();
    const int spare = 2 * label->margin();
    label->setFixedSize(qMax(widest.width(), metrics.size(0, text).width()) + margins.left() + margins.right() + spare,
                        widest.height() + margins.top() + margins.bottom() + spare);
}

} // namespace

PlanMapPlotToolWidget::PlanMapPlotToolWidget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    // In place before the first value arrives.
    for (QLabel* label : {xLabel, yLabel})
        showValue(label, label->text());
    connect(fitPushButton, &QPushButton::clicked, this, &PlanMapPlotToolWidget::fit);
}

void PlanMapPlotToolWidget::setPoint(QPointF p)
{
    showValue(xLabel, NumberField::text(p.x()));
    showValue(yLabel, NumberField::text(p.y()));
}
