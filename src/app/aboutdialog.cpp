#include "app/aboutdialog.h"

#include "shared/applicationconstants.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    vLabel->setText(applicationVersion);
    cLabel->setText(cLabel->text().replace(QStringLiteral("(c)"), QStringLiteral("\u00A9")));
    setFixedSize(sizeHint());
}
