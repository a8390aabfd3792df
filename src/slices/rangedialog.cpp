#include "slices/rangedialog.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>
#include <QPushButton>

namespace {
// Bounds beyond any measured value.
constexpr double unboundedMinimum = -1e200;
constexpr double unboundedMaximum = 1e200;
}

RangeDialog::RangeDialog(QWidget* parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setupUi(this);
    for (QLabel* label : {minLabel, maxLabel})
        label->setText(label->text().replace(QLatin1Char('*'), QChar(0x00B7)));
    setFixedSize(sizeHint());

    QDoubleValidator* validator = NumberField::createValidator(NumberField::Values, this);
    minLineEdit->setValidator(validator);
    maxLineEdit->setValidator(validator);
    minLineEdit->setText(NumberField::text(0.0));
    maxLineEdit->setText(NumberField::text(9999.99));

    connect(allRadioButton, &QRadioButton::clicked, this, &RangeDialog::hideCustomRange);
    connect(customRadioButton, &QRadioButton::clicked, this, &RangeDialog::showCustomRange);
    for (QRadioButton* button : {allRadioButton, customRadioButton})
        connect(button, &QRadioButton::toggled, this, &RangeDialog::updateOkButton);
    for (QLineEdit* edit : {minLineEdit, maxLineEdit})
        connect(edit, &QLineEdit::textChanged, this, &RangeDialog::updateOkButton);
    allRadioButton->click();
}

void RangeDialog::updateOkButton()
{
    // Min at or above Max holds one value at most: every slice would be blank.
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(min() < max());
}

double RangeDialog::min() const
{
    if (!customRadioButton->isChecked())
        return unboundedMinimum;
    return NumberField::value(minLineEdit->text());
}

double RangeDialog::max() const
{
    if (!customRadioButton->isChecked())
        return unboundedMaximum;
    return NumberField::value(maxLineEdit->text());
}

void RangeDialog::hideCustomRange()
{
    customFrame->hide();
}

void RangeDialog::showCustomRange()
{
    customFrame->show();
}
