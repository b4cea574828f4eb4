#pragma once
// What the window does after an event: the host's damaged area drawn by the
// view off screen, then copied onto the backing image.

#include <QImage>
#include <QPainter>

#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "port/scripted_host.h"

namespace gyr::bench {

// Collects the damaged rectangles as the window's update requests do.
class DamageHost : public ScriptedHost {
public:
    void Invalidate(const PixelRect& r) override { damage = damage.United(r); }
    PixelRect damage;
};

inline void RepaintDamage(CGyrView& view, DamageHost& host, QImage& backing) {
    PixelRect r = host.damage.Normalized();
    host.damage = {};
    if (r.IsEmpty()) return;
    QImage off(r.Width(), r.Height(), QImage::Format_RGB32);
    off.fill(Qt::white);
    {
        QPainter painter(&off);
        painter.translate(-r.left, -r.top);
        QtCanvas canvas(painter);
        view.Paint(canvas, r);
    }
    QPainter screen(&backing);
    screen.drawImage(r.left, r.top, off);
}

}  // namespace gyr::bench
