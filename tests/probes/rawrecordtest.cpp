#include "common/testregistry.h"
#include "probebytes.h"
#include "probes/rawrecord.h"

#include <QTest>

using ProbeBytes::RawRecordBytes;

class RawRecordTest : public QObject
{
    Q_OBJECT

private slots:
    void read24SignExtends()
    {
        RawRecordBytes r;
        const char bytes[] = {'\x7F', '\xFF', '\xFF', '\x80', '\x00', '\x00', '\xFF', '\xFF',
                              '\xFF', '\x01', '\x02', '\x03', '\x00', '\x80', '\x00'};
        for (int i = 0; i < int(sizeof(bytes)); ++i)
            r.bytes[i] = bytes[i];
        const RawRecord record(r.bytes);
        QCOMPARE(record.read24(0), 8388607);
        QCOMPARE(record.read24(3), -8388608);
        QCOMPARE(record.read24(6), -1);
        QCOMPARE(record.read24(9), 0x010203);
        // The top bit of the middle byte is no sign.
        QCOMPARE(record.read24(12), 0x008000);
        // Unaligned reads take the three bytes at the offset.
        QCOMPARE(record.read24(1), 0xFFFF80 - 0x1000000);
    }

    void read24StaysInsideTheRecord()
    {
        RawRecordBytes r;
        r.bytes.fill('\xFF');
        const RawRecord record(r.bytes);
        QCOMPARE(record.read24(173), -1);
        QCOMPARE(record.read24(174), 0);
        QCOMPARE(record.read24(175), 0);
        QCOMPARE(record.read24(-1), 0);
        QCOMPARE(record.read24(1 << 30), 0);
        // A record of another length carries no values at all.
        QCOMPARE(RawRecord(QByteArray(175, '\xFF')).read24(0), 0);
        QCOMPARE(RawRecord(QByteArray(177, '\xFF')).read24(0), 0);
        QVERIFY(!RawRecord(QByteArray(177, '\xFF')).hasValues());
        QVERIFY(RawRecord(r.bytes).hasValues());
    }

    void shiftRoundsTowardsMinusInfinity()
    {
        QCOMPARE(RawRecord::shiftRight7(0), 0);
        QCOMPARE(RawRecord::shiftRight7(127), 0);
        QCOMPARE(RawRecord::shiftRight7(128), 1);
        QCOMPARE(RawRecord::shiftRight7(-1), -1);
        QCOMPARE(RawRecord::shiftRight7(-128), -1);
        QCOMPARE(RawRecord::shiftRight7(-129), -2);
        QCOMPARE(RawRecord::shiftRight7(-256), -2);
        QCOMPARE(RawRecord::shiftRight7(-8388608), -65536);
        QCOMPARE(RawRecord::shiftRight7(8388607), 65535);
    }

    void validityBitOfEachChannel()
    {
        for (int channel = 0; channel < RawRecord::channelCount; ++channel) {
            RawRecordBytes r;
            r.setValid(channel);
            const RawRecord record(r.bytes);
            for (int other = -1; other <= RawRecord::channelCount; ++other)
                QCOMPARE(record.isChannelValid(other), other == channel);
        }
        RawRecordBytes r;
        r.bytes[168] = '\x01';
        r.bytes[169] = '\x20';
        QVERIFY(RawRecord(r.bytes).isChannelValid(0));
        QVERIFY(RawRecord(r.bytes).isChannelValid(13));
        QVERIFY(!RawRecord(r.bytes).isChannelValid(8));
        // Bits of bytes 170 on and the top bits of byte 169 belong to no channel.
        RawRecordBytes high;
        high.bytes[169] = '\xC0';
        high.bytes[170] = '\xFF';
        for (int channel = -1; channel <= 16; ++channel)
            QVERIFY(!RawRecord(high.bytes).isChannelValid(channel));
        // A wrong length has no valid channel whatever its bytes.
        QVERIFY(!RawRecord(QByteArray(175, '\xFF')).isChannelValid(0));
    }

    void channelValuesOfASlot()
    {
        RawRecordBytes r;
        r.setChannel(13, 300 * 128 + 127, -128, -3, 8388607);
        r.bytes[168] = '\xFF';
        r.bytes[169] = '\xFF';
        const RawRecord record(r.bytes);
        int vRe = 9, vIm = 9, cRe = 9, cIm = 9;
        QVERIFY(record.channelValues(13, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, 300);
        QCOMPARE(vIm, -1);
        QCOMPARE(cRe, -3);
        QCOMPARE(cIm, 8388607);
        // The neighbour slot is untouched.
        QVERIFY(record.channelValues(12, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, 0);
        QCOMPARE(cIm, 0);
        // A channel without a slot or a short record gives zeros and false.
        vRe = vIm = cRe = cIm = 9;
        QVERIFY(!record.channelValues(14, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe + vIm + cRe + cIm, 0);
        vRe = 9;
        QVERIFY(!record.channelValues(-1, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, 0);
        vRe = 9;
        QVERIFY(!RawRecord(r.bytes.left(175)).channelValues(0, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, 0);
    }
};

TUNDRACK_TEST(RawRecordTest)
#include "rawrecordtest.moc"
