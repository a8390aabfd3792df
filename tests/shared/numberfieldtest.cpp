#include "common/commadesktop.h"
#include "common/testregistry.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>
#include <QScopedPointer>
#include <QTest>

class NumberFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void bounds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("kept");
        const int metres = NumberField::Metres;
        QTest::newRow("10000 km") << metres << "-10000000.00" << int(QValidator::Acceptable) << "-10000000.00";
        QTest::newRow("beyond") << metres << "10000000.01" << int(QValidator::Invalid) << "10000000.01";
        QTest::newRow("exponent") << metres << "1e3" << int(QValidator::Invalid) << "1e3";
        QTest::newRow("comma") << metres << "2,5" << int(QValidator::Acceptable) << "2.5";
        QTest::newRow("lone comma") << metres << "," << int(QValidator::Intermediate) << ".";
        QTest::newRow("group separator") << metres << "1,000.5" << int(QValidator::Invalid) << "1.000.5";
        QTest::newRow("beyond a turn") << int(NumberField::Degrees) << "360.01" << int(QValidator::Invalid) << "360.01";
    }

    void bounds()
    {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(int, state);
        QFETCH(QString, kept);
        CommaDesktop desktop;
        QScopedPointer<QDoubleValidator> validator(NumberField::createValidator(NumberField::Kind(kind), nullptr));
        int position = typed.size();
        QCOMPARE(int(validator->validate(typed, position)), state);
        QCOMPARE(typed, kept);
    }

    void rangeAboveZeroAndValues()
    {
        // As the scale factors have it: a leading 0 may still become a factor.
        QString text = QStringLiteral("0");
        QCOMPARE(NumberField::validate(text, 0.01, 100, 2), QValidator::Intermediate);
        text = QStringLiteral("101");
        QCOMPARE(NumberField::validate(text, 0.01, 100, 2), QValidator::Invalid);

        QCOMPARE(NumberField::value(QStringLiteral("-2,5")), -2.5);
        // What does not parse, or is no finite number, reads as 0.
        for (const char* text : {"", "-", "1 000", "inf", "nan", "1e999"})
            QCOMPARE(NumberField::value(QLatin1String(text)), 0.0);
    }
};

TUNDRACK_TEST(NumberFieldTest)
#include "numberfieldtest.moc"
