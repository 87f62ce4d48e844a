#include "app/ArtworkDrawing.h"
#include "core/Version.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>

namespace tylog {

namespace {

const QColor kAmber(255, 176, 48);
const QColor kSky0(4, 10, 28);
const QColor kSky1(18, 42, 84);

// A lattice tower standing on (baseX, baseY), height h, with a small beam on top.
void drawTower(QPainter& p, double baseX, double baseY, double h, const QColor& c) {
    const double halfBase = h * 0.09, halfTop = h * 0.018;
    const QPointF bl(baseX - halfBase, baseY), br(baseX + halfBase, baseY);
    const QPointF tl(baseX - halfTop, baseY - h), tr(baseX + halfTop, baseY - h);
    QPen pen(c, std::max(1.0, h / 120));
    p.setPen(pen);
    p.drawLine(bl, tl);
    p.drawLine(br, tr);
    const int bays = 9;
    for (int i = 0; i < bays; ++i) {
        const double t0 = double(i) / bays, t1 = double(i + 1) / bays;
        const QPointF l0 = bl + (tl - bl) * t0, r0 = br + (tr - br) * t0;
        const QPointF l1 = bl + (tl - bl) * t1, r1 = br + (tr - br) * t1;
        p.drawLine(l0, r0);
        p.drawLine(i % 2 ? l0 : r0, i % 2 ? r1 : l1);
    }
    // Mast and a three-element beam.
    const QPointF top(baseX, baseY - h);
    const QPointF mast(baseX, baseY - h * 1.12);
    p.drawLine(top, mast);
    pen.setWidthF(std::max(1.0, h / 90));
    p.setPen(pen);
    const double boom = h * 0.22;
    p.drawLine(QPointF(baseX - boom, mast.y() + h * 0.01), QPointF(baseX + boom, mast.y() - h * 0.01));
    for (int e = -1; e <= 1; ++e) {
        const double x = baseX + e * boom * 0.85;
        const double len = h * (0.08 - e * 0.012);
        p.drawLine(QPointF(x, mast.y() - len - e * h * 0.01), QPointF(x, mast.y() + len - e * h * 0.01));
    }
}

// Radio waves leaving the beam: arcs that fade with distance.
void drawWaves(QPainter& p, QPointF from, double r0, double step, int count) {
    for (int i = 0; i < count; ++i) {
        QColor c = kAmber;
        c.setAlphaF(0.75 * (1.0 - double(i) / count));
        p.setPen(QPen(c, std::max(1.5, step / 7), Qt::SolidLine, Qt::RoundCap));
        const double r = r0 + i * step;
        const QRectF box(from.x() - r, from.y() - r, 2 * r, 2 * r);
        p.drawArc(box, -35 * 16, 70 * 16);
        p.drawArc(box, 145 * 16, 70 * 16);
    }
}

// One line of text in a picture.
struct ArtText {
    QRectF rect;
    int flags = 0; // Qt::AlignmentFlag values
    double pixelHeight = 0;
    bool bold = false;
    QColor color;
    QString text;
};

QList<ArtText> logoTexts(QSize px) {
    const double w = px.width(), h = px.height();
    const double textX = w * 0.38;
    const int flags = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {QRectF(textX, h * 0.14, w - textX, h * 0.24), flags, h * 0.20, true, Qt::white, QStringLiteral("tylog")},
        {QRectF(textX, h * 0.40, w - textX, h * 0.08), flags, h * 0.058, false, kAmber,
         QString::fromUtf8("Tessaly State QSO Party")},
        {QRectF(textX, h * 0.49, w - textX, h * 0.07), flags, h * 0.040, false, QColor(200, 210, 230),
         QString::fromUtf8("Contest logger \u2014 version ") + ProgramVersionText},
    };
}

QRectF radioDisplayRect(QSize px) {
    const double w = px.width(), h = px.height();
    const QRectF body(w * 0.03, h * 0.12, w * 0.94, h * 0.80);
    return QRectF(body.left() + body.width() * 0.06, body.top() + body.height() * 0.14, body.width() * 0.52,
                  body.height() * 0.34);
}

QList<ArtText> radioTexts(QSize px) {
    const QRectF display = radioDisplayRect(px);
    return {{display, Qt::AlignCenter, display.height() * 0.62, true, kAmber, QStringLiteral("14.250.00")}};
}

QFont artFont(const ArtText& t) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(t.pixelHeight))));
    f.setBold(t.bold);
    return f;
}

void drawTexts(QPainter& p, const QList<ArtText>& texts) {
    for (const ArtText& t : texts) {
        p.setPen(t.color);
        p.setFont(artFont(t));
        p.drawText(t.rect, t.flags, t.text);
    }
}

} // namespace

QImage DrawLogo(QSize px) {
    QImage pm(px, QImage::Format_RGB32);
    const double w = px.width(), h = px.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, kSky0);
    sky.setColorAt(0.75, kSky1);
    sky.setColorAt(1, QColor(40, 30, 60));
    p.fillRect(pm.rect(), sky);

    // Stars, the same every time.
    QRandomGenerator stars(1966);
    for (int i = 0; i < 140; ++i) {
        const double x = stars.bounded(w), y = stars.bounded(h * 0.7);
        QColor c(255, 255, 255);
        c.setAlphaF(0.25 + stars.bounded(0.6));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const double r = 0.6 + stars.bounded(1.2);
        p.drawEllipse(QPointF(x, y), r, r);
    }

    // Rolling hills and the tower on the nearest one.
    QPainterPath far;
    far.moveTo(0, h * 0.80);
    far.cubicTo(w * 0.25, h * 0.70, w * 0.45, h * 0.86, w * 0.7, h * 0.76);
    far.cubicTo(w * 0.85, h * 0.71, w * 0.95, h * 0.77, w, h * 0.74);
    far.lineTo(w, h);
    far.lineTo(0, h);
    p.fillPath(far, QColor(16, 22, 40));
    QPainterPath near;
    near.moveTo(0, h * 0.90);
    near.cubicTo(w * 0.2, h * 0.80, w * 0.35, h * 0.82, w * 0.5, h * 0.90);
    near.cubicTo(w * 0.7, h * 0.98, w * 0.85, h * 0.88, w, h * 0.92);
    near.lineTo(w, h);
    near.lineTo(0, h);
    p.fillPath(near, QColor(8, 12, 22));

    const double towerX = w * 0.19, towerBase = h * 0.84, towerH = h * 0.56;
    drawWaves(p, QPointF(towerX, towerBase - towerH * 1.12), h * 0.07, h * 0.05, 5);
    drawTower(p, towerX, towerBase, towerH, QColor(170, 180, 200));

    // Name, contest and version.
    drawTexts(p, logoTexts(px));
    QPen rule(kAmber, std::max(1.0, h / 300));
    p.setPen(rule);
    p.drawLine(QPointF(w * 0.38, h * 0.395), QPointF(w * 0.92, h * 0.395)); // under the name
    p.end();
    return pm;
}

QImage DrawRadio(QSize px) {
    QImage pm(px, QImage::Format_ARGB32_Premultiplied);
    pm.fill(Qt::transparent);
    const double w = px.width(), h = px.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Cabinet.
    const QRectF body(w * 0.03, h * 0.12, w * 0.94, h * 0.80);
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(70, 74, 84));
    metal.setColorAt(1, QColor(28, 30, 36));
    p.setPen(QPen(QColor(120, 126, 140), std::max(1.0, h / 60)));
    p.setBrush(metal);
    p.drawRoundedRect(body, h * 0.08, h * 0.08);

    // Frequency display.
    const QRectF display = radioDisplayRect(px);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 14, 4));
    p.drawRoundedRect(display, h * 0.03, h * 0.03);
    drawTexts(p, radioTexts(px));

    // Meter bars under the display.
    const int bars = 12;
    for (int i = 0; i < bars; ++i) {
        const double bw = display.width() / bars;
        const QRectF bar(display.left() + i * bw + bw * 0.15, display.bottom() + body.height() * 0.08, bw * 0.7,
                         body.height() * 0.08);
        p.fillRect(bar, i < 8 ? QColor(90, 200, 120) : QColor(60, 70, 60));
    }

    // Tuning knob.
    const QPointF knob(body.left() + body.width() * 0.79, body.center().y());
    const double kr = body.height() * 0.32;
    QRadialGradient g(knob - QPointF(kr * 0.3, kr * 0.3), kr * 1.3);
    g.setColorAt(0, QColor(150, 155, 165));
    g.setColorAt(1, QColor(30, 32, 38));
    p.setPen(QPen(QColor(15, 15, 18), std::max(1.0, h / 80)));
    p.setBrush(g);
    p.drawEllipse(knob, kr, kr);
    p.setPen(QPen(kAmber, std::max(1.0, h / 50), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(knob, knob + QPointF(kr * 0.6, -kr * 0.6));

    // Small buttons.
    for (int i = 0; i < 4; ++i) {
        const QRectF b(display.left() + i * display.width() / 4 + display.width() * 0.03,
                       body.bottom() - body.height() * 0.22, display.width() / 4 * 0.8, body.height() * 0.11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 116, 128));
        p.drawRoundedRect(b, 2, 2);
    }
    p.end();
    return pm;
}

QImage DrawAntenna(int size) {
    QImage pm(size, size, QImage::Format_ARGB32_Premultiplied);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(Qt::NoPen);
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, kSky1);
    bg.setColorAt(1, kSky0);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    drawWaves(p, QPointF(s * 0.5, s * 0.30), s * 0.12, s * 0.09, 3);
    drawTower(p, s * 0.5, s * 0.92, s * 0.55, QColor(220, 225, 235));
    p.end();
    return pm;
}

} // namespace tylog
