// Draws the application's icons and writes them as PNG files.
//   iconmaker OUTPUT_FOLDER [--sheet SHEET.png]
// The optional sheet shows every icon at its own size and enlarged, for
// checking them by eye.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor ink(0x2b, 0x36, 0x45);
const QColor paper(0xfd, 0xfd, 0xfb);
const QColor blue(0x2f, 0x6d, 0xb5);
const QColor darkBlue(0x1d, 0x47, 0x7a);
const QColor green(0x2e, 0x9a, 0x47);
const QColor darkGreen(0x1d, 0x6b, 0x30);
const QColor red(0xd3, 0x3a, 0x2f);
const QColor orange(0xe8, 0x7a, 0x1e);
const QColor yellow(0xf2, 0xc1, 0x2e);

QPen pen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled triangle head at tip, pointing along from -> tip.
void arrowHead(QPainter& p, QPointF from, QPointF tip, double length, double halfWidth,
               const QColor& color)
{
    const QPointF d = tip - from;
    const double n = std::hypot(d.x(), d.y());
    if (n <= 0)
        return;
    const QPointF u = d / n;
    const QPointF v(-u.y(), u.x());
    const QPointF base = tip - u * length;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + v * halfWidth);
    head.lineTo(base - v * halfWidth);
    head.closeSubpath();
    p.setPen(pen(color, 1.0));
    p.setBrush(color);
    p.drawPath(head);
}

// A straight arrow with a filled head; with halo, a white rim drawn first
// sets it off from whatever lies below it.
void arrow(QPainter& p, QPointF from, QPointF tip, double width, double headLength,
           double headHalfWidth, const QColor& color, bool halo = false)
{
    const QPointF d = tip - from;
    const double n = std::hypot(d.x(), d.y());
    const QPointF shaftEnd = tip - d / n * (headLength * 0.8);
    if (halo) {
        QPainterPath all;
        all.moveTo(from);
        all.lineTo(shaftEnd);
        p.setPen(pen(Qt::white, width + 2.5));
        p.drawPath(all);
        const QPointF u = d / n;
        const QPointF v(-u.y(), u.x());
        const QPointF base = tip - u * headLength;
        QPolygonF head(QVector<QPointF>{tip + u * 1.2, base + v * (headHalfWidth + 1.3) - u * 0.8,
                       base - v * (headHalfWidth + 1.3) - u * 0.8});
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(head);
    }
    p.setPen(pen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawLine(from, shaftEnd);
    arrowHead(p, from, tip, headLength, headHalfWidth, color);
}

// Letters drawn as strokes, h high, so that no font is needed. Only the
// letters the icons use.
QPainterPath glyph(QChar c, double h, double& advance)
{
    QPainterPath path;
    const double w = 0.62 * h;
    switch (c.toLatin1()) {
    case 'E':
        path.moveTo(w, 0);
        path.lineTo(0, 0);
        path.lineTo(0, h);
        path.lineTo(w, h);
        path.moveTo(0, h / 2);
        path.lineTo(w * 0.85, h / 2);
        advance = w;
        break;
    case 'N':
        path.moveTo(0, h);
        path.lineTo(0, 0);
        path.lineTo(w, h);
        path.lineTo(w, 0);
        advance = w;
        break;
    case 'R':
        path.moveTo(0, h);
        path.lineTo(0, 0);
        path.lineTo(w * 0.55, 0);
        path.cubicTo(w * 1.05, 0, w * 1.05, h * 0.52, w * 0.55, h * 0.52);
        path.lineTo(0, h * 0.52);
        path.moveTo(w * 0.5, h * 0.52);
        path.lineTo(w, h);
        advance = w;
        break;
    case 'U':
        path.moveTo(0, 0);
        path.lineTo(0, h * 0.62);
        path.cubicTo(0, h * 1.06, w, h * 1.06, w, h * 0.62);
        path.lineTo(w, 0);
        advance = w;
        break;
    case 'Q': {
        const double qw = 0.78 * h;
        path.addEllipse(QRectF(0, 0, qw, h));
        path.moveTo(qw * 0.58, h * 0.68);
        path.lineTo(qw * 1.02, h * 1.04);
        advance = qw;
        break;
    }
    case 't': {
        const double tw = 0.46 * h;
        path.moveTo(tw * 0.38, h * 0.12);
        path.lineTo(tw * 0.38, h * 0.8);
        path.quadTo(tw * 0.38, h, tw, h);
        path.moveTo(0, h * 0.36);
        path.lineTo(tw, h * 0.36);
        advance = tw;
        break;
    }
    default:
        advance = w;
        break;
    }
    return path;
}

// Strokes text centred on centre, letters of height h.
void letters(QPainter& p, const QString& text, QPointF centre, double h, double gap,
             const QPen& letterPen)
{
    double x = 0;
    QPainterPath all;
    for (QChar c : text) {
        double advance = 0;
        QPainterPath g = glyph(c, h, advance);
        all.addPath(g.translated(x, 0));
        x += advance + gap;
    }
    const double width = x - gap;
    p.setPen(letterPen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(all.translated(centre.x() - width / 2, centre.y() - h / 2));
}

// A sheet of paper with a folded corner.
void page(QPainter& p, const QRectF& r, double fold)
{
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(pen(ink, 1.3));
    p.setBrush(paper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd8, 0xdd, 0xe4));
    p.drawPath(corner);
}

// A data store drawn as a cylinder.
void cylinder(QPainter& p, const QRectF& r)
{
    const double eh = r.height() * 0.3;
    QLinearGradient body(r.left(), 0, r.right(), 0);
    body.setColorAt(0, QColor(0x8d, 0x9a, 0xaa));
    body.setColorAt(0.45, QColor(0xdd, 0xe3, 0xea));
    body.setColorAt(1, QColor(0x7a, 0x87, 0x98));
    QPainterPath side;
    side.moveTo(r.left(), r.top() + eh / 2);
    side.lineTo(r.left(), r.bottom() - eh / 2);
    side.arcTo(QRectF(r.left(), r.bottom() - eh, r.width(), eh), 180, 180);
    side.lineTo(r.right(), r.top() + eh / 2);
    side.arcTo(QRectF(r.left(), r.top(), r.width(), eh), 0, -180);
    p.setPen(pen(ink, 1.3));
    p.setBrush(body);
    p.drawPath(side);
    // A band in the middle tells a cylinder from a plain box.
    QPainterPath band;
    const double mid = r.top() + (r.height() - eh) / 2;
    band.moveTo(r.left(), mid + eh / 2);
    band.arcTo(QRectF(r.left(), mid, r.width(), eh), 180, 180);
    p.setPen(pen(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(band);
    p.setPen(pen(ink, 1.3));
    p.setBrush(QColor(0xf0, 0xf3, 0xf6));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), eh));
}

// The colour scale of the slice images, low to high.
QLinearGradient valueGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.0, QColor(0x2b, 0x4f, 0xc4));
    g.setColorAt(0.35, QColor(0x2c, 0xb5, 0xc0));
    g.setColorAt(0.6, QColor(0x8c, 0xcf, 0x3a));
    g.setColorAt(0.8, QColor(0xf2, 0xc1, 0x2e));
    g.setColorAt(1.0, QColor(0xdc, 0x3b, 0x26));
    return g;
}

void drawLogo(QPainter& p)
{
    const QRectF r(2, 2, 60, 60);
    QLinearGradient ground(r.topLeft(), r.bottomRight());
    ground.setColorAt(0, QColor(0x2a, 0x6f, 0x7c));
    ground.setColorAt(1, QColor(0x12, 0x39, 0x45));
    p.setPen(pen(QColor(0x0d, 0x2a, 0x33), 2));
    p.setBrush(ground);
    p.drawRoundedRect(r, 12, 12);

    // An anomaly as a slice shows it.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r.adjusted(1, 1, -1, -1), 11, 11);
    p.setClipPath(clip);
    const QPointF c(38, 27);
    const QColor rings[] = {QColor(0x2c, 0xb5, 0xc0), QColor(0x8c, 0xcf, 0x3a),
                            QColor(0xf2, 0xc1, 0x2e), QColor(0xe8, 0x7a, 0x1e),
                            QColor(0xdc, 0x3b, 0x26)};
    const double radii[] = {22, 17, 12, 7.5, 3.5};
    for (int i = 0; i < 5; ++i) {
        p.setPen(Qt::NoPen);
        QColor color = rings[i];
        color.setAlpha(i == 0 ? 150 : 235);
        p.setBrush(color);
        p.drawEllipse(c, radii[i] * 1.15, radii[i]);
    }
    p.restore();

    // Survey tracks with their measuring points.
    const double rows[] = {18, 32, 46};
    for (double y : rows) {
        QPainterPath track;
        track.moveTo(11, y + 1.5);
        track.cubicTo(24, y - 2.5, 40, y + 3.5, 53, y - 1);
        p.setPen(pen(QColor(255, 255, 255, 235), 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(track);
        p.setPen(pen(QColor(0x0d, 0x2a, 0x33), 1.3));
        p.setBrush(Qt::white);
        for (int i = 0; i <= 4; ++i)
            p.drawEllipse(track.pointAtPercent(i / 4.0), 3.0, 3.0);
    }
}

void drawNew(QPainter& p)
{
    page(p, QRectF(6.5, 2.5, 18, 26), 6);
    // A spark for a fresh start.
    QPainterPath star;
    const QPointF c(23.5, 22.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 - M_PI / 2;
        const double rr = (i % 2 == 0) ? 7.5 : 2.6;
        const QPointF q = c + QPointF(std::cos(a), std::sin(a)) * rr;
        if (i == 0)
            star.moveTo(q);
        else
            star.lineTo(q);
    }
    star.closeSubpath();
    p.setPen(pen(QColor(0x9a, 0x6a, 0x00), 1.1));
    p.setBrush(yellow);
    p.drawPath(star);
}

void drawSave(QPainter& p)
{
    const QRectF body(3.5, 3.5, 25, 25);
    QPainterPath disk;
    disk.moveTo(body.topLeft() + QPointF(2, 0));
    disk.lineTo(body.right() - 4, body.top());
    disk.lineTo(body.right(), body.top() + 4);
    disk.lineTo(body.right(), body.bottom() - 2);
    disk.quadTo(body.bottomRight(), body.bottomRight() + QPointF(-2, 0));
    disk.lineTo(body.left() + 2, body.bottom());
    disk.quadTo(body.bottomLeft(), body.bottomLeft() + QPointF(0, -2));
    disk.lineTo(body.left(), body.top() + 2);
    disk.quadTo(body.topLeft(), body.topLeft() + QPointF(2, 0));
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, QColor(0x4a, 0x86, 0xc8));
    g.setColorAt(1, darkBlue);
    p.setPen(pen(QColor(0x14, 0x30, 0x55), 1.3));
    p.setBrush(g);
    p.drawPath(disk);
    // Shutter with its window.
    p.setPen(pen(QColor(0x14, 0x30, 0x55), 1.0));
    p.setBrush(QColor(0xdc, 0xe1, 0xe8));
    p.drawRect(QRectF(9.5, 3.5, 13, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x48, 0x5a));
    p.drawRect(QRectF(18, 5.5, 2.5, 5));
    // Label.
    p.setPen(pen(QColor(0x14, 0x30, 0x55), 1.0));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(7.5, 16.5, 17, 12), 1, 1);
    p.setPen(pen(QColor(0x9a, 0xa6, 0xb4), 1.0));
    p.drawLine(QPointF(10, 20.5), QPointF(22, 20.5));
    p.drawLine(QPointF(10, 24.5), QPointF(22, 24.5));
}

void drawOpen(QPainter& p)
{
    const QColor edge(0x8a, 0x5a, 0x00);
    QPainterPath back;
    back.moveTo(3.5, 26.5);
    back.lineTo(3.5, 7.5);
    back.lineTo(11.5, 7.5);
    back.lineTo(14, 10.5);
    back.lineTo(25.5, 10.5);
    back.lineTo(25.5, 26.5);
    back.closeSubpath();
    p.setPen(pen(edge, 1.3));
    p.setBrush(QColor(0xd9, 0x9a, 0x1e));
    p.drawPath(back);
    // A sheet peeking out.
    p.setPen(pen(QColor(0x8c, 0x96, 0xa3), 1.0));
    p.setBrush(paper);
    p.drawRect(QRectF(7.5, 11.5, 15, 8));
    QPainterPath front;
    front.moveTo(3.5, 26.5);
    front.lineTo(8, 15.5);
    front.lineTo(30.5, 15.5);
    front.lineTo(25.5, 26.5);
    front.closeSubpath();
    QLinearGradient g(0, 15, 0, 27);
    g.setColorAt(0, QColor(0xfb, 0xd6, 0x5c));
    g.setColorAt(1, QColor(0xf0, 0xb4, 0x2a));
    p.setPen(pen(edge, 1.3));
    p.setBrush(g);
    p.drawPath(front);
}

void drawDiskRead(QPainter& p)
{
    cylinder(p, QRectF(3.5, 11.5, 18, 18));
    arrow(p, QPointF(25.5, 19), QPointF(25.5, 2.5), 3.0, 6.5, 5.0, green, true);
}

void drawDiskWrite(QPainter& p)
{
    cylinder(p, QRectF(3.5, 11.5, 18, 18));
    arrow(p, QPointF(25.5, 2.5), QPointF(25.5, 19.5), 3.0, 6.5, 5.0, orange, true);
}

void drawTableExport(QPainter& p)
{
    const QRectF t(2.5, 4.5, 20, 22);
    p.setPen(pen(ink, 1.3));
    p.setBrush(paper);
    p.drawRect(t);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x86, 0xc8));
    p.drawRect(QRectF(t.left() + 0.6, t.top() + 0.6, t.width() - 1.2, 4.9));
    p.setPen(pen(QColor(0x8c, 0x96, 0xa3), 1.0));
    for (double y : {15.5, 20.5})
        p.drawLine(QPointF(t.left() + 1, y), QPointF(t.right() - 1, y));
    for (double x : {9.5, 15.5})
        p.drawLine(QPointF(x, t.top() + 5.5), QPointF(x, t.bottom() - 1));
    p.setPen(pen(ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(t);
    p.drawLine(QPointF(t.left(), 10.5), QPointF(t.right(), 10.5));
    arrow(p, QPointF(14, 22.5), QPointF(30.5, 22.5), 3.0, 6.5, 5.0, green, true);
}

void drawAdd(QPainter& p)
{
    QRadialGradient g(QPointF(12, 11), 16);
    g.setColorAt(0, QColor(0x6c, 0xc8, 0x6f));
    g.setColorAt(1, green);
    p.setPen(pen(darkGreen, 1.4));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(pen(Qt::white, 4.0));
    p.drawLine(QPointF(16, 9), QPointF(16, 23));
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
}

void drawPreferences(QPainter& p)
{
    const double rows[] = {7.5, 16, 24.5};
    const double knobs[] = {20, 10, 16};
    for (int i = 0; i < 3; ++i) {
        p.setPen(pen(QColor(0x5f, 0x6b, 0x7a), 2.5));
        p.drawLine(QPointF(4, rows[i]), QPointF(28, rows[i]));
        p.setPen(pen(darkBlue, 1.2));
        p.setBrush(QColor(0x4a, 0x86, 0xc8));
        p.drawRoundedRect(QRectF(knobs[i] - 3, rows[i] - 4.5, 6, 9), 1.5, 1.5);
    }
}

QPainterPath gearPath(QPointF c, double outer, double inner, double hole, int teeth)
{
    QPainterPath gear;
    gear.setFillRule(Qt::WindingFill);
    const double step = 2 * M_PI / teeth;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step;
        const double halfTop = step * 0.17;
        const double halfRoot = step * 0.27;
        const QPointF p0 = c + QPointF(std::cos(a - halfRoot), std::sin(a - halfRoot)) * inner;
        const QPointF p1 = c + QPointF(std::cos(a - halfTop), std::sin(a - halfTop)) * outer;
        const QPointF p2 = c + QPointF(std::cos(a + halfTop), std::sin(a + halfTop)) * outer;
        const QPointF p3 = c + QPointF(std::cos(a + halfRoot), std::sin(a + halfRoot)) * inner;
        const QPointF p4 = c + QPointF(std::cos(a + step - halfRoot),
                                       std::sin(a + step - halfRoot)) * inner;
        if (i == 0)
            gear.moveTo(p0);
        gear.lineTo(p1);
        gear.lineTo(p2);
        gear.lineTo(p3);
        gear.lineTo(p4);
    }
    gear.closeSubpath();
    QPainterPath h;
    h.addEllipse(c, hole, hole);
    return gear.subtracted(h);
}

void drawProcessing(QPainter& p)
{
    const QPainterPath gear = gearPath(QPointF(16, 16), 14, 10.5, 4.2, 8);
    QLinearGradient g(4, 4, 28, 28);
    g.setColorAt(0, QColor(0xa7, 0xb2, 0xc0));
    g.setColorAt(1, QColor(0x5f, 0x6b, 0x7a));
    p.setPen(pen(ink, 1.3));
    p.setBrush(g);
    p.drawPath(gear);
}

void drawConvert(QPainter& p)
{
    // Two arrows chasing each other round.
    const QRectF ring(5, 5, 22, 22);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(blue, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 160 * 16, -120 * 16);
    p.setPen(QPen(orange, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, -20 * 16, -120 * 16);
    auto onRing = [&ring](double degrees) {
        const double a = qDegreesToRadians(degrees);
        return ring.center() + QPointF(std::cos(a), -std::sin(a)) * ring.width() / 2;
    };
    auto tangentHead = [&](double degrees, const QColor& color) {
        const QPointF at = onRing(degrees);
        const double a = qDegreesToRadians(degrees);
        const QPointF along(std::sin(a), std::cos(a));  // clockwise
        arrowHead(p, at - along * 3, at + along * 5, 8, 5.5, color);
    };
    tangentHead(40, blue);
    tangentHead(220, orange);
}

void drawAbout(QPainter& p)
{
    QRadialGradient g(QPointF(12, 10), 17);
    g.setColorAt(0, QColor(0x5a, 0x94, 0xd6));
    g.setColorAt(1, blue);
    p.setPen(pen(darkBlue, 1.4));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.4, 2.4);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11.5), 1, 1);
    p.drawRect(QRectF(12.5, 13.5, 3, 2));
    p.drawRect(QRectF(12.5, 23, 7, 2));
}

void drawQt(QPainter& p)
{
    // A green lettered badge of the toolkit's name.
    const QRectF badge(2.5, 5.5, 27, 21);
    QLinearGradient g(badge.topLeft(), badge.bottomLeft());
    g.setColorAt(0, QColor(0x5c, 0xbf, 0x5f));
    g.setColorAt(1, QColor(0x33, 0x8f, 0x3c));
    p.setPen(pen(darkGreen, 1.3));
    p.setBrush(g);
    p.drawRoundedRect(badge, 5, 5);
    letters(p, QStringLiteral("Qt"), QPointF(16, 16), 12, 2.0, pen(Qt::white, 2.4));
}

void drawFit(QPainter& p)
{
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const double a = 2, b = 14, l = 3.5;
    p.drawPolyline(QPolygonF(QVector<QPointF>{{a, a + l}, {a, a}, {a + l, a}}));
    p.drawPolyline(QPolygonF(QVector<QPointF>{{b - l, a}, {b, a}, {b, a + l}}));
    p.drawPolyline(QPolygonF(QVector<QPointF>{{b, b - l}, {b, b}, {b - l, b}}));
    p.drawPolyline(QPolygonF(QVector<QPointF>{{a + l, b}, {a, b}, {a, b - l}}));
    p.setPen(pen(darkBlue, 1.0));
    p.setBrush(QColor(0x4a, 0x86, 0xc8));
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
}

void drawImageExport(QPainter& p)
{
    const QRectF f(2.5, 4.5, 22, 19);
    p.setPen(pen(ink, 1.3));
    p.setBrush(QColor(0xbf, 0xe0, 0xf7));
    p.drawRect(f);
    p.save();
    p.setClipRect(f.adjusted(0.6, 0.6, -0.6, -0.6));
    p.setPen(Qt::NoPen);
    p.setBrush(yellow);
    p.drawEllipse(QPointF(18, 9.5), 2.6, 2.6);
    QPainterPath hills;
    hills.moveTo(2, 24);
    hills.lineTo(2, 19);
    hills.lineTo(9, 12);
    hills.lineTo(14, 17);
    hills.lineTo(17, 14.5);
    hills.lineTo(25, 21);
    hills.lineTo(25, 24);
    hills.closeSubpath();
    p.setBrush(QColor(0x4c, 0xa0, 0x4e));
    p.drawPath(hills);
    p.restore();
    p.setPen(pen(ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f);
    arrow(p, QPointF(15, 25.5), QPointF(30.5, 25.5), 3.0, 6.5, 5.0, green, true);
}

// Slices: a plane standing upright, or lying flat, coloured like a slice.
void drawVertical(QPainter& p)
{
    QPolygonF plane(QVector<QPointF>{{9.5, 3.5}, {18.5, 0.5}, {18.5, 8.5}, {9.5, 11.5}});
    p.setPen(pen(ink, 1.0));
    p.setBrush(valueGradient(QPointF(0, 11), QPointF(0, 1)));
    p.drawPolygon(plane);
    p.setPen(pen(QColor(0x7a, 0x87, 0x98), 1.0));
    p.drawLine(QPointF(3, 11.5), QPointF(23, 11.5));
}

void drawHorizontal(QPainter& p)
{
    QPolygonF plane(QVector<QPointF>{{3.5, 10.5}, {8.5, 1.5}, {22.5, 1.5}, {17.5, 10.5}});
    p.setPen(pen(ink, 1.0));
    p.setBrush(valueGradient(QPointF(4, 0), QPointF(22, 0)));
    p.drawPolygon(plane);
}

void drawDelete(QPainter& p)
{
    p.setPen(pen(red, 2.4));
    p.drawLine(QPointF(8.5, 1.5), QPointF(17.5, 10.5));
    p.drawLine(QPointF(17.5, 1.5), QPointF(8.5, 10.5));
}

void drawMove(QPainter& p)
{
    const QPointF c(13, 6);
    const QColor color = darkBlue;
    p.setPen(pen(color, 1.4));
    p.drawLine(QPointF(c.x(), 2), QPointF(c.x(), 10));
    p.drawLine(QPointF(7.5, c.y()), QPointF(18.5, c.y()));
    arrowHead(p, c, QPointF(c.x(), 0.3), 3.0, 2.4, color);
    arrowHead(p, c, QPointF(c.x(), 11.7), 3.0, 2.4, color);
    arrowHead(p, c, QPointF(6.0, c.y()), 3.0, 2.4, color);
    arrowHead(p, c, QPointF(20.0, c.y()), 3.0, 2.4, color);
}

void drawView(QPainter& p)
{
    QPainterPath eye;
    eye.moveTo(5, 6);
    eye.quadTo(13, -2.5, 21, 6);
    eye.quadTo(13, 14.5, 5, 6);
    p.setPen(pen(ink, 1.2));
    p.setBrush(paper);
    p.drawPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QPointF(13, 6), 3.1, 3.1);
    p.setBrush(ink);
    p.drawEllipse(QPointF(13, 6), 1.4, 1.4);
}

void drawRotate(QPainter& p)
{
    // Most of a clockwise turn; the head closes in on the gap at the top.
    const QPointF c(13, 6.4);
    const double r = 4.4;
    const double start = 65;
    const double span = -285;
    p.setPen(QPen(darkBlue, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(start * 16), int(span * 16));
    const double a = qDegreesToRadians(start + span);
    const QPointF at = c + QPointF(std::cos(a), -std::sin(a)) * r;
    const QPointF along(std::sin(a), std::cos(a));
    arrowHead(p, at - along, at + along * 2.4, 3.4, 2.5, darkBlue);
}

void drawScale(QPainter& p)
{
    QPen frame(QColor(0x5f, 0x6b, 0x7a), 1.0, Qt::CustomDashLine);
    frame.setDashPattern({2, 1});
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7.5, 0.5, 11, 11));
    p.setPen(pen(darkBlue, 1.0));
    p.setBrush(QColor(0x4a, 0x86, 0xc8));
    p.drawRect(QRectF(7.5, 6.5, 5, 5));
    p.setPen(pen(ink, 1.3));
    p.drawLine(QPointF(12, 7), QPointF(15.5, 3.5));
    arrowHead(p, QPointF(12, 7), QPointF(18, 1), 3.6, 2.3, ink);
}

void drawInfo(QPainter& p)
{
    p.setPen(pen(darkBlue, 1.0));
    p.setBrush(blue);
    p.drawEllipse(QPointF(13, 6), 5.5, 5.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(13, 3.2), 1.05, 1.05);
    p.drawRect(QRectF(12.1, 5, 1.8, 4.6));
}

void drawDistribution(QPainter& p)
{
    const double heights[] = {3, 7, 10, 6, 3};
    p.setPen(pen(darkBlue, 1.0));
    p.setBrush(QColor(0x4a, 0x86, 0xc8));
    for (int i = 0; i < 5; ++i) {
        const double x = 6.5 + i * 3;
        p.drawRect(QRectF(x, 11.5 - heights[i], 3, heights[i]));
    }
    p.setPen(pen(ink, 1.0));
    p.drawLine(QPointF(5, 11.5), QPointF(21, 11.5));
}

void drawProfile(QPainter& p)
{
    p.setPen(pen(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QVector<QPointF>{{5.5, 0.5}, {5.5, 11.5}, {21.5, 11.5}}));
    QPainterPath curve;
    curve.moveTo(6.5, 8.5);
    curve.cubicTo(9, 8.5, 10, 2, 12.5, 2.5);
    curve.cubicTo(15, 3, 15.5, 8, 17.5, 7.5);
    curve.quadTo(19.5, 7, 21, 4.5);
    p.setPen(pen(red, 1.5));
    p.drawPath(curve);
}

// Language badges: coloured stripes, not a copy of any flag.
void drawEnglish(QPainter& p)
{
    const QRectF badge(0.5, 1.5, 23, 13);
    QPainterPath outline;
    outline.addRoundedRect(badge, 2, 2);
    p.save();
    p.setClipPath(outline);
    p.fillRect(QRectF(0, 0, 24, 16), QColor(0x24, 0x3f, 0x80));
    p.fillRect(QRectF(0, 12, 24, 4), QColor(0xcf, 0x2e, 0x2e));
    p.restore();
    p.setPen(pen(QColor(0x14, 0x25, 0x4a), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    letters(p, QStringLiteral("EN"), QPointF(12, 7), 7, 2.0, pen(Qt::white, 1.4));
}

void drawRussian(QPainter& p)
{
    const QRectF badge(0.5, 1.5, 23, 13);
    QPainterPath outline;
    outline.addRoundedRect(badge, 2, 2);
    p.save();
    p.setClipPath(outline);
    p.fillRect(QRectF(0, 0, 24, 6), Qt::white);
    p.fillRect(QRectF(0, 6, 24, 4), QColor(0x2a, 0x5c, 0xc0));
    p.fillRect(QRectF(0, 10, 24, 6), QColor(0xd0, 0x2b, 0x2b));
    p.restore();
    p.setPen(pen(QColor(0x55, 0x5f, 0x6e), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

struct Icon
{
    const char* name;
    QSize size;
    std::function<void(QPainter&)> draw;
};

const std::vector<Icon>& icons()
{
    static const QSize menu(32, 32);
    static const QSize row(26, 12);
    static const std::vector<Icon> list = {
        {"logo", QSize(64, 64), drawLogo},
        {"new", menu, drawNew},
        {"save", menu, drawSave},
        {"open", menu, drawOpen},
        {"disk.read", menu, drawDiskRead},
        {"disk.write", menu, drawDiskWrite},
        {"table.export", menu, drawTableExport},
        {"add", menu, drawAdd},
        {"preferences", menu, drawPreferences},
        {"processing", menu, drawProcessing},
        {"convert", menu, drawConvert},
        {"about", menu, drawAbout},
        {"qt", menu, drawQt},
        {"fit", QSize(16, 16), drawFit},
        {"image.export", menu, drawImageExport},
        {"v", row, drawVertical},
        {"h", row, drawHorizontal},
        {"delete", row, drawDelete},
        {"move", row, drawMove},
        {"view", row, drawView},
        {"rotate", row, drawRotate},
        {"scale", row, drawScale},
        {"info", row, drawInfo},
        {"distribution", row, drawDistribution},
        {"profile", row, drawProfile},
        {"EN", QSize(24, 16), drawEnglish},
        {"RU", QSize(24, 16), drawRussian},
    };
    return list;
}

QImage render(const Icon& icon)
{
    QImage image(icon.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    icon.draw(p);
    p.end();
    return image;
}

bool writeSheet(const std::vector<QImage>& images, const QString& fileName)
{
    // Each icon at its own size on white and on the pressed grey of the tool
    // buttons, then enlarged without smoothing so that every pixel shows.
    const int cellWidth = 420;
    const int cellHeight = 200;
    const int columns = 3;
    const int rows = (int(images.size()) + columns - 1) / columns;
    QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xf4, 0xf4, 0xf4));
    QPainter p(&sheet);
    for (size_t i = 0; i < images.size(); ++i) {
        const QImage& image = images[i];
        const int x = int(i % columns) * cellWidth + 8;
        const int y = int(i / columns) * cellHeight + 8;
        p.setPen(Qt::black);
        p.drawText(QPoint(x, y + 12), QStringLiteral("%1  %2x%3")
                                          .arg(QString::fromLatin1(icons()[i].name))
                                          .arg(image.width())
                                          .arg(image.height()));
        p.fillRect(QRect(x, y + 20, image.width() + 8, image.height() + 8), Qt::white);
        p.drawImage(QPoint(x + 4, y + 24), image);
        p.fillRect(QRect(x, y + 100, image.width() + 8, image.height() + 8), QColor(0xcc, 0xcc, 0xcc));
        p.drawImage(QPoint(x + 4, y + 104), image);
        const int zoom = 160 / std::max(image.width(), image.height());
        const QImage big = image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        p.fillRect(QRect(x + 80, y + 20, big.width(), big.height()), Qt::white);
        p.drawImage(QPoint(x + 80, y + 20), big);
    }
    p.end();
    return sheet.save(fileName);
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no screen; the build may run without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = app.arguments();
    if (arguments.size() != 2 && !(arguments.size() == 4 && arguments[2] == "--sheet")) {
        std::fprintf(stderr, "usage: iconmaker OUTPUT_FOLDER [--sheet SHEET.png]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "iconmaker: can not make %s\n", qPrintable(folder.path()));
        return 1;
    }
    std::vector<QImage> images;
    for (const Icon& icon : icons()) {
        const QImage image = render(icon);
        const QString fileName = folder.filePath(QString::fromLatin1(icon.name) + ".png");
        if (!image.save(fileName, "PNG")) {
            std::fprintf(stderr, "iconmaker: can not write %s\n", qPrintable(fileName));
            return 1;
        }
        images.push_back(image);
    }
    if (arguments.size() == 4 && !writeSheet(images, arguments[3])) {
        std::fprintf(stderr, "iconmaker: can not write %s\n", qPrintable(arguments[3]));
        return 1;
    }
    return 0;
}
