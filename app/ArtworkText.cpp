#include "app/ArtworkText.h"
#include "core/Version.h"

#include <QPainter>

#include <cmath>

namespace tylog {

namespace {
const QColor kAmber(255, 176, 48);
} // namespace

QList<ArtText> LogoTexts(QSize px) {
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

QRectF RadioDisplayRect(QSize px) {
    const double w = px.width(), h = px.height();
    const QRectF body(w * 0.03, h * 0.12, w * 0.94, h * 0.80);
    return QRectF(body.left() + body.width() * 0.06, body.top() + body.height() * 0.14, body.width() * 0.52,
                  body.height() * 0.34);
}

QList<ArtText> RadioTexts(QSize px) {
    const QRectF display = RadioDisplayRect(px);
    return {{display, Qt::AlignCenter, display.height() * 0.62, true, kAmber, QStringLiteral("14.250.00")}};
}

QFont ArtFont(const ArtText& t) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(t.pixelHeight))));
    f.setBold(t.bold);
    return f;
}

void DrawArtTexts(QPainter& p, const QList<ArtText>& texts) {
    for (const ArtText& t : texts) {
        p.setPen(t.color);
        p.setFont(ArtFont(t));
        p.drawText(t.rect, t.flags, t.text);
    }
}

} // namespace tylog
