#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/trackblockinfodialog.h"
#include "app/trackblocklinewidget.h"
#include "app/trackblockwidget.h"
#include "survey/trackblock.h"

#include <QPushButton>
#include <QTest>

class TrackBlockInfoDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void originFromTheKeys()
    {
        // Capitals sort first: "GPS latitude" loses to "base latitude", which
        // loses to "gps altitude, latitude"; "Latitude" matches nothing.
        TrackBlock block;
        block.setInfo({{QStringLiteral("base latitude"), QStringLiteral("60.5")},
                       {QStringLiteral("GPS latitude"), QStringLiteral("59.9")},
                       {QStringLiteral("Latitude"), QStringLiteral("1")},
                       {QStringLiteral("origin_LONGITUDE"), QStringLiteral("2")},
                       {QStringLiteral("longitude"), QStringLiteral("30 %1 E")},
                       {QStringLiteral("altitude"), QStringLiteral("12.5")},
                       {QStringLiteral("gps altitude, latitude"), QStringLiteral("both")}});
        TrackBlockInfoDialog dialog(&block);
        QCOMPARE(dialog.latLabel->text(), QStringLiteral("Origin latitude [\u00B0]:"));
        QCOMPARE(dialog.lonLabel->text(), QStringLiteral("Origin longitude [\u00B0]:"));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.latLineEdit->text(), QStringLiteral("both"));
        QCOMPARE(dialog.lonLineEdit->text(), QStringLiteral("30 %1 E"));
        QCOMPARE(dialog.altLineEdit->text(), QStringLiteral("both"));

        block.info().remove(QStringLiteral("gps altitude, latitude"));
        dialog.fillOrigin();
        QCOMPARE(dialog.latLineEdit->text(), QStringLiteral("60.5"));
        QCOMPARE(dialog.altLineEdit->text(), QStringLiteral("12.5"));

        block.setInfo({{QStringLiteral("Latitude"), QStringLiteral("1")}});
        TrackBlockInfoDialog empty(&block);
        QVERIFY(empty.latLineEdit->text().isEmpty() && empty.lonLineEdit->text().isEmpty()
                && empty.altLineEdit->text().isEmpty());
    }

    void openedFromTheBlockRow()
    {
        TrackBlock block;
        block.setInfo({{QStringLiteral("latitude"), QStringLiteral("59.93")}});
        TrackBlockWidget widget(&block);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QString shown;
        TestSupport::onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<TrackBlockInfoDialog*>(modal);
            QVERIFY(dialog != nullptr && dialog->parentWidget() == nullptr);
            shown = dialog->latLineEdit->text();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        auto* row = qobject_cast<TrackBlockLineWidget*>(widget.layout()->itemAt(0)->widget());
        QTest::mouseClick(row->infoToolButton, Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("59.93"));
    }
};

TUNDRACK_TEST(TrackBlockInfoDialogTest)
#include "trackblockinfodialogtest.moc"
