#include "desktop/sheet_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

#include "control/gyr_view.h"

namespace gyr {

namespace {

constexpr int kSize = 32;
constexpr int kHot = 10;  // the crosshair's centre

// The sign of a tool, drawn in the lower right quarter.
void DrawSign(QPainter& p, int id) {
    const QRectF box(16, 16, 14, 14);
    switch (id) {
        case kCursorStraight:
            p.drawLine(box.bottomLeft(), box.topRight());
            break;
        case kCursorParallelogram:
            p.drawPolygon(QPolygonF{{17, 29}, {25, 29}, {29, 18}, {21, 18}});
            break;
        case kCursorCircle:
            p.drawEllipse(box);
            break;
        case kCursorText:
            p.drawText(box, Qt::AlignCenter, "T");
            break;
        case kCursorAngle:
            p.drawPolyline(QPolygonF{{29, 17}, {17, 29}, {30, 29}});
            break;
        case kCursorTriangle:
            p.drawPolygon(QPolygonF{{17, 29}, {30, 29}, {22, 17}});
            break;
        case kCursorPolygon: {
            QPolygonF hex;
            for (int k = 0; k < 6; ++k) {
                const double a = k * std::numbers::pi / 3;
                hex << QPointF(23 + 7 * std::cos(a), 23 + 7 * std::sin(a));
            }
            p.drawPolygon(hex);
            break;
        }
        case kCursorArc:
            p.drawArc(box, 0, 180 * 16);
            break;
        case kCursorIsoptic: {
            QPainterPath path({17, 29});
            path.cubicTo({20, 12}, {26, 34}, {30, 17});
            p.drawPath(path);
            break;
        }
        case kCursorPointMark:
            p.setBrush(p.pen().color());
            p.drawEllipse(QPointF(23, 23), 3, 3);
            break;
        case kCursorPicture:
            p.drawRect(box.adjusted(0, 2, 0, -2));
            break;
        case kCursorReflect:
        case kCursorReflectNext:
            p.drawText(box, Qt::AlignCenter, id == kCursorReflect ? "R" : "R2");
            break;
        case kCursorInvert:
        case kCursorInvertNext:
            p.drawText(box, Qt::AlignCenter, id == kCursorInvert ? "I" : "I2");
            break;
        case kCursorPick:
        case kCursorPickPressed:
            p.drawRect(QRectF(19, 19, 8, 8));
            if (id == kCursorPickPressed) p.fillRect(QRectF(21, 21, 4, 4), p.pen().color());
            break;
        default:
            break;
    }
}

QCursor MakeCursor(int id) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    // A white halo keeps the black cross visible on dark figures.
    for (int pass = 0; pass < 2; ++pass) {
        QPen pen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawLine(kHot, 0, kHot, kHot - 3);
        p.drawLine(kHot, kHot + 3, kHot, 2 * kHot);
        p.drawLine(0, kHot, kHot - 3, kHot);
        p.drawLine(kHot + 3, kHot, 2 * kHot, kHot);
        DrawSign(p, id);
    }
    p.end();
    return QCursor(pixmap, kHot, kHot);
}

}  // namespace

QCursor SheetCursor(int cursorId) {
    // Made afresh each time: the view asks only when its cursor changes, and
    // no pixmap outlives the application object.
    return cursorId == kCursorArrow ? QCursor(Qt::ArrowCursor) : MakeCursor(cursorId);
}

}  // namespace gyr
