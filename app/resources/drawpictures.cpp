// Draws the pictures built into the program (the shaft sketch of the shaft-properties window
// and the tool-bar icons) into the folder given on the command line. Not part of the normal
// build: run the target tarnel_pictures and commit the PNG files when a picture changes.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kInk(20, 20, 20);
const QColor kDim(0, 70, 170);

void arrowHead(QPainter &p, QPointF tip, QPointF from)
{
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    const double len = 8, spread = 0.35;
    QPolygonF head;
    head << tip << QPointF(tip.x() - len * std::cos(angle - spread), tip.y() - len * std::sin(angle - spread))
         << QPointF(tip.x() - len * std::cos(angle + spread), tip.y() - len * std::sin(angle + spread));
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void dimension(QPainter &p, QPointF a, QPointF b)
{
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
}

QImage shaft()
{
    const int w = 300, h = 400;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans", 11);
    font.setBold(true);
    p.setFont(font);

    const double cx = 140, ground = 60, stemHalf = 30, bellTop = 270, base = 330, bellHalf = 75;
    const double lueBottom = 120, lleTop = 215;

    // Ground surface with hatching.
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(10, ground), QPointF(w - 10, ground));
    p.setPen(QPen(kInk, 1));
    for (double x = 14; x < w - 10; x += 12) {
        if (x > cx - stemHalf - 6 && x < cx + stemHalf)
            continue;
        p.drawLine(QPointF(x, ground), QPointF(x + 8, ground + 8));
    }

    // Shaft: stem, bell and base.
    QPainterPath outline;
    outline.moveTo(cx - stemHalf, ground - 14);
    outline.lineTo(cx - stemHalf, bellTop);
    outline.lineTo(cx - bellHalf, base - 18);
    outline.lineTo(cx - bellHalf, base);
    outline.lineTo(cx + bellHalf, base);
    outline.lineTo(cx + bellHalf, base - 18);
    outline.lineTo(cx + stemHalf, bellTop);
    outline.lineTo(cx + stemHalf, ground - 14);
    outline.closeSubpath();
    p.setBrush(QColor(205, 205, 200));
    p.setPen(QPen(kInk, 2));
    p.drawPath(outline);

    // The two zones without side resistance, shaded on the stem.
    p.setBrush(QBrush(QColor(120, 120, 120), Qt::BDiagPattern));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(cx - stemHalf, ground, 2 * stemHalf, lueBottom - ground));
    p.drawRect(QRectF(cx - stemHalf, lleTop, 2 * stemHalf, bellTop - lleTop));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(QPointF(cx - stemHalf, lueBottom), QPointF(cx + stemHalf, lueBottom));
    p.drawLine(QPointF(cx - stemHalf, lleTop), QPointF(cx + stemHalf, lleTop));

    p.setPen(QPen(kDim, 1.4));
    // B across the stem.
    const double bY = 170;
    dimension(p, QPointF(cx - stemHalf, bY), QPointF(cx + stemHalf, bY));
    p.drawText(QRectF(cx - stemHalf, bY - 22, 2 * stemHalf, 18), Qt::AlignCenter, "B");
    // Bb under the base.
    const double bbY = base + 22;
    p.setPen(QPen(kDim, 1, Qt::DotLine));
    p.drawLine(QPointF(cx - bellHalf, base + 2), QPointF(cx - bellHalf, bbY + 6));
    p.drawLine(QPointF(cx + bellHalf, base + 2), QPointF(cx + bellHalf, bbY + 6));
    p.setPen(QPen(kDim, 1.4));
    dimension(p, QPointF(cx - bellHalf, bbY), QPointF(cx + bellHalf, bbY));
    p.drawText(QRectF(cx - 30, bbY + 2, 60, 20), Qt::AlignCenter, "Bb");
    // Ang between the vertical and the bell's side.
    p.setPen(QPen(kDim, 1, Qt::DashLine));
    p.drawLine(QPointF(cx + stemHalf, bellTop), QPointF(cx + stemHalf, base - 18));
    p.setPen(QPen(kDim, 1.4));
    const double r = 34;
    const double sideAngle = std::atan2(base - 18 - bellTop, bellHalf - stemHalf) * 180 / M_PI;
    p.drawArc(QRectF(cx + stemHalf - r, bellTop - r, 2 * r, 2 * r), int(-90 * 16), int((90 - sideAngle) * 16));
    p.drawText(QPointF(cx + stemHalf + 50, bellTop + 24), "Ang");
    p.setPen(QPen(kDim, 1));
    p.drawLine(QPointF(cx + stemHalf + 47, bellTop + 19), QPointF(cx + stemHalf + 14, bellTop + 28));

    // Lue and Lle beside the stem, on the left.
    const double dx = cx - stemHalf - 30;
    p.setPen(QPen(kDim, 1, Qt::DotLine));
    for (double y : {ground, lueBottom, lleTop, bellTop})
        p.drawLine(QPointF(dx - 6, y), QPointF(cx - stemHalf - 2, y));
    p.setPen(QPen(kDim, 1.4));
    dimension(p, QPointF(dx, ground), QPointF(dx, lueBottom));
    dimension(p, QPointF(dx, lleTop), QPointF(dx, bellTop));
    p.drawText(QRectF(dx - 50, (ground + lueBottom) / 2 - 10, 44, 20), Qt::AlignRight | Qt::AlignVCenter, "Lue");
    p.drawText(QRectF(dx - 50, (lleTop + bellTop) / 2 - 10, 44, 20), Qt::AlignRight | Qt::AlignVCenter, "Lle");

    QFont small("DejaVu Sans", 8);
    p.setFont(small);
    p.setPen(kInk);
    p.drawText(QRectF(cx + stemHalf + 8, ground - 22, 120, 16), Qt::AlignLeft, "ground surface");
    return img;
}

QImage icon(const QString &kind)
{
    const int s = 50; // drawn at twice the 25-pixel button size, scaled down smoothly
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2.5));
    const auto page = [&](QColor fill) {
        QPolygonF sheet;
        sheet << QPointF(10, 4) << QPointF(32, 4) << QPointF(41, 13) << QPointF(41, 46) << QPointF(10, 46);
        p.setBrush(fill);
        p.drawPolygon(sheet);
        p.drawPolyline(QPolygonF() << QPointF(32, 4) << QPointF(32, 13) << QPointF(41, 13));
    };
    const auto axes = [&] {
        p.setPen(QPen(kInk, 2.5));
        p.drawLine(QPointF(8, 6), QPointF(8, 44));
        p.drawLine(QPointF(8, 6), QPointF(44, 6));
    };
    if (kind == "new") {
        page(Qt::white);
        p.setPen(QPen(QColor(0, 140, 0), 4));
        p.drawLine(QPointF(18, 30), QPointF(34, 30));
        p.drawLine(QPointF(26, 22), QPointF(26, 38));
    } else if (kind == "open") {
        p.setBrush(QColor(240, 200, 90));
        QPolygonF back;
        back << QPointF(4, 12) << QPointF(18, 12) << QPointF(22, 17) << QPointF(44, 17) << QPointF(44, 42)
             << QPointF(4, 42);
        p.drawPolygon(back);
        p.setBrush(QColor(250, 220, 120));
        QPolygonF front;
        front << QPointF(4, 42) << QPointF(12, 24) << QPointF(48, 24) << QPointF(42, 42);
        p.drawPolygon(front);
    } else if (kind == "save") {
        p.setBrush(QColor(60, 90, 170));
        p.drawRoundedRect(QRectF(6, 6, 38, 38), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 6, 24, 14));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(12, 28, 26, 16));
    } else if (kind == "run") {
        p.setBrush(QColor(20, 160, 40));
        QPolygonF tri;
        tri << QPointF(12, 6) << QPointF(44, 25) << QPointF(12, 44);
        p.drawPolygon(tri);
    } else if (kind == "layers") {
        const QColor bands[] = {QColor(230, 200, 120), QColor(170, 130, 90), QColor(150, 150, 150)};
        for (int k = 0; k < 3; ++k) {
            p.setBrush(bands[k]);
            p.drawRect(QRectF(5, 6 + k * 13, 40, 13));
        }
        p.setPen(QPen(kInk, 1.5));
        for (int k = 1; k < 3; ++k)
            p.drawLine(QPointF(18, 6 + k * 13), QPointF(18, 6 + k * 13));
        p.drawLine(QPointF(18, 6), QPointF(18, 45));
    } else if (kind == "output") {
        page(Qt::white);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        for (int y = 20; y <= 40; y += 5)
            p.drawLine(QPointF(15, y), QPointF(36, y));
    } else if (kind == "profile") {
        const QColor bands[] = {QColor(230, 200, 120), QColor(170, 130, 90), QColor(150, 150, 150)};
        for (int k = 0; k < 3; ++k) {
            p.setPen(Qt::NoPen);
            p.setBrush(bands[k]);
            p.drawRect(QRectF(3, 10 + k * 12, 44, 12));
        }
        p.setPen(QPen(kInk, 2));
        p.setBrush(QColor(210, 210, 210));
        QPolygonF stem;
        stem << QPointF(20, 4) << QPointF(30, 4) << QPointF(30, 36) << QPointF(37, 44) << QPointF(13, 44)
             << QPointF(20, 36);
        p.drawPolygon(stem);
    } else if (kind == "combined" || kind == "combinedd") {
        axes();
        const bool design = kind == "combinedd";
        const QColor colours[] = {QColor(200, 30, 30), QColor(30, 90, 200), QColor(20, 150, 40)};
        for (int c = 0; c < 3; ++c) {
            QPainterPath curve;
            curve.moveTo(8, 6);
            const double reach = (design ? 0.55 : 1.0) * (14 + 11 * c);
            curve.cubicTo(8 + reach * 0.5, 16, 8 + reach, 30, 8 + reach, 44);
            p.setPen(QPen(colours[c], 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(curve);
        }
        if (design) {
            p.setPen(QPen(kInk, 1.5));
            p.setFont(QFont("DejaVu Sans", 10, QFont::Bold));
            p.drawText(QRectF(24, 30, 26, 18), Qt::AlignCenter, "D");
        }
    } else if (kind == "settlement") {
        axes();
        QPainterPath curve;
        curve.moveTo(8, 6);
        curve.cubicTo(30, 10, 40, 20, 42, 44);
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.drawPath(curve);
    } else if (kind == "form") {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 8, 40, 34));
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(5, 8, 40, 8));
        p.setPen(QPen(QColor(80, 80, 80), 2));
        p.drawLine(QPointF(11, 24), QPointF(38, 24));
        p.drawLine(QPointF(11, 32), QPointF(30, 32));
    }
    p.end();
    return img.scaled(25, 25, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? argv[1] : ".");
    shaft().save(out.filePath("shaft.png"));
    for (const char *kind : {"new", "open", "save", "run", "layers", "output", "profile", "combined", "combinedd",
                             "settlement", "form"})
        icon(kind).save(out.filePath(QString(kind) + ".png"));
    return 0;
}
