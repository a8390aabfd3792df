#include "app/trackblockinfodialog.h"

#include "survey/trackblock.h"

TrackBlockInfoDialog::TrackBlockInfoDialog(TrackBlock* block, QWidget* parent) : QDialog(parent), m_block(block)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    setFixedSize(sizeHint());
    const QString degree(QChar(0x00B0));
    latLabel->setText(latLabel->text().replace(QLatin1Char('*'), degree));
    lonLabel->setText(lonLabel->text().replace(QLatin1Char('*'), degree));
    fillOrigin();
}

void TrackBlockInfoDialog::fillOrigin()
{
    const QMap<QString, QString> info = m_block->info();
    for (auto it = info.cbegin(); it != info.cend(); ++it) {
        if (it.key().contains(QLatin1String("latitude")))
            latLineEdit->setText(it.value());
        if (it.key().contains(QLatin1String("longitude")))
            lonLineEdit->setText(it.value());
        if (it.key().contains(QLatin1String("altitude")))
            altLineEdit->setText(it.value());
    }
}
