#include "common/testregistry.h"
#include "common/testsupport.h"

#include "slices/sliceobjectlist.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

#include <QSet>
#include <QTest>

#include <limits>

namespace {

// Counts its own destruction; a curve deletes its symbol exactly when the
// curve itself is deleted.
class CountingSymbol : public QwtSymbol
{
public:
    explicit CountingSymbol(int* count) : m_count(count) {}
    ~CountingSymbol() override { ++*m_count; }

private:
    int* m_count;
};

QwtPlotCurve* countedCurve(QwtPlot* plot, int* deletions)
{
    auto* curve = new QwtPlotCurve;
    curve->setSymbol(new CountingSymbol(deletions));
    if (plot)
        curve->attach(plot);
    return curve;
}

QByteArray beDouble(double value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out << value;
    return bytes;
}

QByteArray beUInt32(quint32 value)
{
    return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(8, '0'));
}

SliceObject makeSlice(const QString& title, const QPolygonF& polygon, double height = 0.0)
{
    SliceObject slice;
    slice.setTitle(title);
    slice.setPolygon(polygon);
    slice.setHeight(height);
    return slice;
}

QPolygonF line(double x1, double y1, double x2, double y2)
{
    return QPolygonF() << QPointF(x1, y1) << QPointF(x2, y2);
}

QPolygonF square(double x, double y, double side)
{
    return QPolygonF() << QPointF(x, y) << QPointF(x + side, y) << QPointF(x + side, y + side)
                       << QPointF(x, y + side);
}

QVector<QPointF> samples(const QwtPlotCurve* curve)
{
    QVector<QPointF> points;
    for (size_t i = 0; i < curve->dataSize(); ++i)
        points.append(curve->sample(int(i)));
    return points;
}

} // namespace

class SliceObjectTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndEmptyList();
    void recordBytes();
    void listBytesAndRoundTrip();
    void truncatedStream();
    void damagedCounts();
    void streamAlreadyInError();
    void readingReplacesSlicesAndTheirCurves();
    void atClampsAndAddressesStay();
    void curveOutline();
    void visibility();
    void sliceWithoutCurve();
    void copiesNeverShareCurves();
    void setCurveReplacesPrevious();
    void removeDeleted();
    void listDestructionDeletesEveryCurve();
};

void SliceObjectTest::defaultsAndEmptyList()
{
    SliceObjectList list;
    QCOMPARE(list.count(), 0);
    SliceObject* first = list.at(0);
    QCOMPARE(first, &emptySliceObject);
    QCOMPARE(list.at(5), first);
    QCOMPARE(list.at(-3), first);
    QVERIFY(!first->isDeleted());
    QVERIFY(first->isEnabled());
    QCOMPARE(first->height(), 0.0);
    QVERIFY(first->title().isEmpty());
    QVERIFY(first->polygon().isEmpty());
    QVERIFY(first->curve() == nullptr);
    QVERIFY(first->isVertical());
}

void SliceObjectTest::recordBytes()
{
    SliceObject slice = makeSlice(QStringLiteral("Ab"), line(1, 2, 3, 4), 12.5);
    slice.setDeleted();
    slice.setEnabled(false);

    QByteArray expected;
    expected += char(1);                                  // deleted
    expected += char(0);                                  // enabled
    expected += QByteArray::fromHex("4029000000000000");  // 12.5
    expected += QByteArray::fromHex("00000004" "00410062"); // "Ab" in UTF-16
    expected += QByteArray::fromHex("00000002");
    expected += QByteArray::fromHex("3ff0000000000000" "4000000000000000");
    expected += QByteArray::fromHex("4008000000000000" "4010000000000000");
    QCOMPARE(TestSupport::streamed(slice), expected);

    // A null title is written as the null string, not as an empty one.
    SliceObject untitled;
    QByteArray nullTitle;
    nullTitle += char(0);
    nullTitle += char(1);
    nullTitle += beDouble(0.0);
    nullTitle += QByteArray::fromHex("ffffffff");
    nullTitle += beUInt32(0);
    QCOMPARE(TestSupport::streamed(untitled), nullTitle);
}

void SliceObjectTest::listBytesAndRoundTrip()
{
    SliceObjectList list;
    list.append(makeSlice(QStringLiteral("Line"), line(-1.5, 2, 300, 4e6)));
    list.append(makeSlice(QStringLiteral("Square"), square(10, 20, 5), -7.25));
    SliceObject gone = makeSlice(QStringLiteral("Gone"), QPolygonF() << QPointF(1, 1));
    gone.setDeleted();
    gone.setEnabled(false);
    list.append(gone);

    const QByteArray bytes = TestSupport::streamed(list);
    QByteArray expected = beUInt32(3);
    for (int i = 0; i < 3; ++i)
        expected += TestSupport::streamed(*list.at(i));
    QCOMPARE(bytes, expected);

    SliceObjectList copy;
    QVERIFY(TestSupport::unstreamed(bytes, copy));
    QCOMPARE(copy.count(), 3);
    for (int i = 0; i < 3; ++i) {
        const SliceObject* a = list.at(i);
        const SliceObject* b = copy.at(i);
        QCOMPARE(b->isDeleted(), a->isDeleted());
        QCOMPARE(b->isEnabled(), a->isEnabled());
        QCOMPARE(b->height(), a->height());
        QCOMPARE(b->title(), a->title());
        QCOMPARE(b->polygon(), a->polygon());
        QVERIFY(b->curve() == nullptr);
    }
    QVERIFY(copy.at(2)->isDeleted());
    QVERIFY(!copy.at(2)->isEnabled());
    QCOMPARE(TestSupport::streamed(copy), bytes);

    // The empty list is its count alone.
    SliceObjectList empty;
    QCOMPARE(TestSupport::streamed(empty), beUInt32(0));
}

void SliceObjectTest::truncatedStream()
{
    SliceObjectList list;
    list.append(makeSlice(QStringLiteral("One"), line(0, 0, 10, 0)));
    list.append(makeSlice(QStringLiteral("Two"), square(0, 0, 1), 3));
    const QByteArray bytes = TestSupport::streamed(list);

    for (int length = 0; length < bytes.size(); ++length) {
        SliceObjectList read;
        read.append(makeSlice(QStringLiteral("Old"), line(0, 0, 1, 1)));
        QDataStream in(bytes.left(length));
        in.setVersion(QDataStream::Qt_5_2);
        in >> read;
        QVERIFY2(in.status() != QDataStream::Ok, qPrintable(QString::number(length)));
        QCOMPARE(read.count(), 0);
    }
}

void SliceObjectTest::damagedCounts()
{
    // A polygon that claims two thousand million points but holds one.
    QByteArray polygon;
    polygon += beUInt32(1);
    polygon += char(0);
    polygon += char(1);
    polygon += beDouble(1.0);
    polygon += QByteArray::fromHex("ffffffff");
    polygon += beUInt32(0x7FFFFFFF);
    polygon += beDouble(1.0) + beDouble(2.0);

    SliceObjectList list;
    QDataStream in(polygon);
    in.setVersion(QDataStream::Qt_5_2);
    in >> list;
    QCOMPARE(in.status(), QDataStream::ReadPastEnd);
    QCOMPARE(list.count(), 0);

    // The same for a huge slice count after one good slice.
    QByteArray slices = beUInt32(0xFFFFFFFF) + TestSupport::streamed(SliceObject());
    QDataStream in2(slices);
    in2.setVersion(QDataStream::Qt_5_2);
    in2 >> list;
    QCOMPARE(in2.status(), QDataStream::ReadPastEnd);
    QCOMPARE(list.count(), 0);

    // A single slice read on its own gives up on its polygon the same way.
    QByteArray one = polygon.mid(4);
    SliceObject slice;
    QDataStream in3(one);
    in3.setVersion(QDataStream::Qt_5_2);
    in3 >> slice;
    QVERIFY(in3.status() != QDataStream::Ok);
    QVERIFY(slice.polygon().isEmpty());
}

void SliceObjectTest::streamAlreadyInError()
{
    SliceObjectList source;
    source.append(makeSlice(QStringLiteral("One"), line(0, 0, 10, 0)));
    const QByteArray bytes = TestSupport::streamed(source);

    SliceObjectList list;
    list.append(makeSlice(QStringLiteral("Old"), line(0, 0, 1, 1)));
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_5_2);
    in.setStatus(QDataStream::ReadCorruptData);
    in >> list;
    QCOMPARE(in.status(), QDataStream::ReadCorruptData);
    QCOMPARE(list.count(), 0);
    QCOMPARE(in.device()->pos(), qint64(0));
}

void SliceObjectTest::readingReplacesSlicesAndTheirCurves()
{
    QwtPlot plot;
    int deletions = 0;
    SliceObjectList list;
    list.append(makeSlice(QStringLiteral("Old"), line(0, 0, 1, 1)));
    list.at(0)->setCurve(countedCurve(&plot, &deletions));
    QCOMPARE(plot.itemList().size(), 1);

    SliceObjectList source;
    source.append(makeSlice(QStringLiteral("New"), square(0, 0, 2)));
    QVERIFY(TestSupport::unstreamed(TestSupport::streamed(source), list));
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.at(0)->title(), QStringLiteral("New"));
    QCOMPARE(deletions, 1);
    QVERIFY(plot.itemList().isEmpty());
}

void SliceObjectTest::atClampsAndAddressesStay()
{
    SliceObjectList list;
    for (const char* title : {"A", "B", "C"})
        list.append(makeSlice(QString::fromLatin1(title), line(0, 0, 1, 1)));
    QCOMPARE(list.at(100000)->title(), QStringLiteral("C"));
    QCOMPARE(list.at(2), list.at(100000));
    QCOMPARE(list.at(-1)->title(), QStringLiteral("A"));
    QCOMPARE(list.at(1)->title(), QStringLiteral("B"));

    // Rows keep plain pointers: appending and erasing others must not move a slice.
    SliceObject* b = list.at(1);
    for (int i = 0; i < 50; ++i)
        list.append(makeSlice(QStringLiteral("X"), line(0, 0, 1, 1)));
    list.at(0)->setDeleted();
    list.removeDeleted();
    QCOMPARE(list.at(0), b);
    QCOMPARE(b->title(), QStringLiteral("B"));
}

void SliceObjectTest::curveOutline()
{
    QwtPlot plot;
    SliceObject vertical = makeSlice(QStringLiteral("V"), line(1, 2, 30, 40));
    QVERIFY(vertical.isVertical());
    vertical.setCurve(new QwtPlotCurve);
    QCOMPARE(samples(vertical.curve()), QVector<QPointF>({QPointF(1, 2), QPointF(30, 40)}));

    SliceObject horizontal = makeSlice(QStringLiteral("H"), square(0, 0, 10), 5);
    QVERIFY(!horizontal.isVertical());
    horizontal.setCurve(new QwtPlotCurve);
    const QVector<QPointF> outline = samples(horizontal.curve());
    QCOMPARE(outline.size(), 5);
    QCOMPARE(outline.first(), QPointF(0, 0));
    QCOMPARE(outline.last(), outline.first());
    QCOMPARE(outline.mid(0, 4), QVector<QPointF>(square(0, 0, 10)));

    // A changed polygon shows once the curve is refreshed.
    horizontal.setPolygon(line(5, 5, 6, 6));
    QCOMPARE(horizontal.curve()->dataSize(), size_t(5));
    horizontal.updateCurve();
    QCOMPARE(samples(horizontal.curve()), QVector<QPointF>({QPointF(5, 5), QPointF(6, 6)}));

    // One point or none: drawn as it is.
    horizontal.setPolygon(QPolygonF() << QPointF(3, 3));
    horizontal.updateCurve();
    QCOMPARE(samples(horizontal.curve()), QVector<QPointF>({QPointF(3, 3)}));
    horizontal.setPolygon(QPolygonF());
    horizontal.updateCurve();
    QCOMPARE(horizontal.curve()->dataSize(), size_t(0));
}

void SliceObjectTest::visibility()
{
    SliceObjectList list;
    list.append(makeSlice(QStringLiteral("On"), line(0, 0, 1, 1)));
    list.append(makeSlice(QStringLiteral("Off"), square(0, 0, 1)));
    for (int i = 0; i < list.count(); ++i)
        list.at(i)->setCurve(new QwtPlotCurve);
    SliceObject* on = list.at(0);
    SliceObject* off = list.at(1);
    off->setEnabled(false);
    QVERIFY(!off->curve()->isVisible());
    QVERIFY(on->curve()->isVisible());

    list.setCurvesVisible(false);
    QVERIFY(!on->curve()->isVisible());
    QVERIFY(!off->curve()->isVisible());

    list.setCurvesVisible(true);
    QVERIFY(on->curve()->isVisible());
    QVERIFY(!off->curve()->isVisible());

    off->setEnabled(true);
    QVERIFY(off->curve()->isVisible());
    off->applyHidden(true);
    QVERIFY(!off->curve()->isVisible());
    QVERIFY(off->isEnabled());
    off->applyHidden(false);
    QVERIFY(off->curve()->isVisible());
}

void SliceObjectTest::sliceWithoutCurve()
{
    SliceObject slice = makeSlice(QStringLiteral("Bare"), square(0, 0, 1));
    slice.setEnabled(false);
    slice.applyHidden(false);
    slice.updateCurve();
    QVERIFY(!slice.isEnabled());
    QVERIFY(slice.curve() == nullptr);

    SliceObjectList empty;
    empty.setCurvesVisible(true);
    empty.at(0)->applyHidden(true);
    empty.at(0)->updateCurve();
    QVERIFY(empty.at(0)->curve() == nullptr);

    SliceObjectList bare;
    bare.append(slice);
    bare.setCurvesVisible(false);
    bare.setCurvesVisible(true);
    QCOMPARE(bare.count(), 1);
}

void SliceObjectTest::copiesNeverShareCurves()
{
    QwtPlot plot;
    int deletions = 0;
    {
        SliceObject original = makeSlice(QStringLiteral("Orig"), square(0, 0, 4), 2);
        original.setCurve(countedCurve(&plot, &deletions));
        QwtPlotCurve* curve = original.curve();
        {
            SliceObject copy(original);
            QVERIFY(copy.curve() == nullptr);
            QCOMPARE(copy.title(), original.title());
            QCOMPARE(copy.polygon(), original.polygon());
            QCOMPARE(copy.height(), 2.0);
        }
        QCOMPARE(deletions, 0);
        QCOMPARE(original.curve(), curve);

        // Assigning into a slice with a curve keeps that curve and redraws it.
        // The counter outlives the slice, whose destructor counts on it.
        int otherDeletions = 0;
        SliceObject other = makeSlice(QStringLiteral("Other"), line(7, 7, 8, 8));
        other.setCurve(countedCurve(&plot, &otherDeletions));
        QwtPlotCurve* otherCurve = other.curve();
        other = original;
        QCOMPARE(other.curve(), otherCurve);
        QCOMPARE(otherDeletions, 0);
        QCOMPARE(other.curve()->dataSize(), size_t(5));
        QCOMPARE(original.curve(), curve);

        // Appending copies only the data into the list.
        SliceObjectList list;
        list.append(original);
        QVERIFY(list.at(0)->curve() == nullptr);
    }
    QCOMPARE(deletions, 1);
    QVERIFY(plot.itemList().isEmpty());
}

void SliceObjectTest::setCurveReplacesPrevious()
{
    QwtPlot plot;
    int first = 0;
    int second = 0;
    SliceObject slice = makeSlice(QStringLiteral("S"), line(0, 0, 5, 5));
    slice.setCurve(countedCurve(&plot, &first));
    QwtPlotCurve* curve = slice.curve();
    slice.setCurve(curve);  // the same curve again is kept
    QCOMPARE(first, 0);
    slice.setCurve(countedCurve(&plot, &second));
    QCOMPARE(first, 1);
    QCOMPARE(second, 0);
    QCOMPARE(plot.itemList().size(), 1);
    QCOMPARE(slice.curve()->dataSize(), size_t(2));
}

void SliceObjectTest::removeDeleted()
{
    QwtPlot plot;
    int deletions[5] = {0, 0, 0, 0, 0};  // before the list, whose slices count on it
    SliceObjectList list;
    for (int i = 0; i < 5; ++i) {
        list.append(makeSlice(QString::number(i + 1), i % 2 ? line(0, 0, i, i) : square(i, i, 1)));
        list.at(i)->setCurve(countedCurve(&plot, &deletions[i]));
    }
    QSet<QwtPlotItem*> kept = {list.at(0)->curve(), list.at(2)->curve(), list.at(4)->curve()};
    list.at(1)->setDeleted();
    list.at(3)->setDeleted();
    list.removeDeleted();

    QCOMPARE(list.count(), 3);
    QCOMPARE(list.at(0)->title(), QStringLiteral("1"));
    QCOMPARE(list.at(1)->title(), QStringLiteral("3"));
    QCOMPARE(list.at(2)->title(), QStringLiteral("5"));
    QCOMPARE(deletions[0], 0);
    QCOMPARE(deletions[1], 1);
    QCOMPARE(deletions[2], 0);
    QCOMPARE(deletions[3], 1);
    QCOMPARE(deletions[4], 0);
    const QwtPlotItemList items = plot.itemList();
    QCOMPARE(QSet<QwtPlotItem*>(items.begin(), items.end()), kept);

    // Nothing flagged: nothing changes.
    list.removeDeleted();
    QCOMPARE(list.count(), 3);
}

void SliceObjectTest::listDestructionDeletesEveryCurve()
{
    QwtPlot plot;
    int deletions = 0;
    {
        SliceObjectList list;
        for (int i = 0; i < 4; ++i) {
            list.append(makeSlice(QString::number(i), square(i, 0, 1)));
            list.at(i)->setCurve(countedCurve(&plot, &deletions));
        }
        QCOMPARE(plot.itemList().size(), 4);
    }
    QCOMPARE(deletions, 4);
    QVERIFY(plot.itemList().isEmpty());

    // A slice whose curve was never attached to a plot is released as well.
    deletions = 0;
    {
        SliceObject loose = makeSlice(QStringLiteral("L"), square(0, 0, 1));
        loose.setCurve(countedCurve(nullptr, &deletions));
    }
    QCOMPARE(deletions, 1);
}

TUNDRACK_TEST(SliceObjectTest)

#include "sliceobjecttest.moc"
