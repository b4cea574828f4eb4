#include "desktop/tool_icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

#include "model/document.h"

namespace gyr {

namespace {

constexpr int kSide = 24;
const QColor kInk(0x1f, 0x3a, 0x6e);

QColor FromColorRef(ColorRef c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QPixmap Blank() {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon ThicknessIcon(int width) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    QFont f = p.font();
    f.setPixelSize(8);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, kSide, 9), Qt::AlignCenter, QString::number(width));
    return QIcon(pixmap);
}

QIcon PatternIcon(int style) {
    // The pattern's run lengths in pixels, dash then gap, alternating.
    static const QVector<int> kRuns[] = {{}, {6, 2}, {1, 2}, {6, 2, 1, 2}, {6, 2, 1, 2, 1, 2}};
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    const QVector<int>& runs = kRuns[style];
    if (runs.isEmpty()) {
        p.fillRect(QRect(1, 11, 22, 2), kInk);
        return QIcon(pixmap);
    }
    int x = 1, k = 0;
    while (x < 23) {
        const int len = runs[k % runs.size()];
        if (k % 2 == 0) p.fillRect(QRect(x, 11, std::min(len, 23 - x), 2), kInk);
        x += len;
        ++k;
    }
    return QIcon(pixmap);
}

QIcon SwatchIcon(int id) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    const QRect box(3, 3, 17, 17);
    if (id == ID_COLOR_NONE) {
        p.fillRect(box, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xc0, 0, 0), 2));
        p.drawLine(box.topLeft() + QPoint(1, 1), box.bottomRight());
        p.drawLine(box.bottomLeft() + QPoint(1, 0), box.topRight() + QPoint(0, 1));
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.fillRect(box, FromColorRef(PaletteColor(id)));
    }
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(box);
    return QIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(int id) {
    const QString file = QString(":/icons/cmd_%1.svg").arg(id);
    if (QFile::exists(file)) return QIcon(file);
    if (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) return ThicknessIcon(id - ID_WIDTH_1 + 1);
    if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) return PatternIcon(id - ID_STYLE_SOLID);
    if (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE) return SwatchIcon(id);
    return {};
}

}  // namespace gyr
