#include "Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace trelvane::ui {

QPixmap DrawLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Badge.
    QLinearGradient badge(0, 0, 0, 64);
    badge.setColorAt(0, QColor(36, 84, 150));
    badge.setColorAt(1, QColor(20, 48, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // A declaration sheet with its folded corner.
    QPainterPath sheet;
    sheet.moveTo(16, 10);
    sheet.lineTo(40, 10);
    sheet.lineTo(48, 18);
    sheet.lineTo(48, 54);
    sheet.lineTo(16, 54);
    sheet.closeSubpath();
    p.setBrush(QColor(255, 255, 240));
    p.drawPath(sheet);
    p.setBrush(QColor(200, 208, 220));
    QPainterPath fold;
    fold.moveTo(40, 10);
    fold.lineTo(40, 18);
    fold.lineTo(48, 18);
    fold.closeSubpath();
    p.drawPath(fold);

    // Segment lines, one of them picked out as an error.
    p.setPen(QPen(QColor(50, 50, 50), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 22), QPointF(36, 22));
    p.drawLine(QPointF(21, 29), QPointF(43, 29));
    p.setPen(QPen(QColor(255, 140, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 36), QPointF(38, 36));

    // The check mark.
    p.setPen(QPen(QColor(102, 202, 102), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(30, 45);
    tick.lineTo(37, 52);
    tick.lineTo(56, 33);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    return pixmap;
}

}  // namespace trelvane::ui
