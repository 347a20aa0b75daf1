#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace twips {

namespace {
const char* const kProperty = "tavenelTwips";

// For a top-level window the position is the frame's and the size the
// client area's, as QWidget::move and QWidget::resize take them. A window is
// moved only when its position is being set: moved again to where it stands
// while the window manager has not yet framed it, its inside would go there
// and the frame would end up a title bar higher.
void apply(QWidget* widget, const QRectF& r, bool moving) {
    widget->setProperty(kProperty, r);
    const QRect px(toPixels(r.left()), toPixels(r.top()), std::max(0, toPixels(r.width())),
                   std::max(0, toPixels(r.height())));
    if (widget->isWindow()) {
        if (moving) widget->move(px.topLeft());
        widget->resize(px.size());
    } else {
        widget->setGeometry(px);
    }
}
}  // namespace

double perPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips) { return int(std::lround(twips / perPixel())); }

double fromPixels(int pixels) { return pixels * perPixel(); }

QRectF rect(const QWidget* widget) {
    const QVariant stored = widget->property(kProperty);
    if (stored.isValid()) {
        // Follow a move made by the user or the window manager.
        const QRectF r = stored.toRectF();
        const QPoint pos = widget->isWindow() ? widget->pos() : widget->geometry().topLeft();
        if (toPixels(r.left()) != pos.x() || toPixels(r.top()) != pos.y())
            return QRectF(fromPixels(pos.x()), fromPixels(pos.y()), r.width(), r.height());
        return r;
    }
    const QRect g = widget->isWindow() ? QRect(widget->pos(), widget->size()) : widget->geometry();
    return QRectF(fromPixels(g.x()), fromPixels(g.y()), fromPixels(g.width()), fromPixels(g.height()));
}

void place(QWidget* widget, double l, double t, double w, double h) {
    apply(widget, QRectF(l, t, w, h), true);
}

void move(QWidget* widget, double l, double t) {
    const QRectF r = rect(widget);
    apply(widget, QRectF(l, t, r.width(), r.height()), true);
}

void resize(QWidget* widget, double w, double h) {
    const QRectF r = rect(widget);
    apply(widget, QRectF(r.left(), r.top(), w, h), false);
}

void setWidth(QWidget* widget, double w) { resize(widget, w, rect(widget).height()); }
void setHeight(QWidget* widget, double h) { resize(widget, rect(widget).width(), h); }

double left(const QWidget* widget) { return rect(widget).left(); }
double top(const QWidget* widget) { return rect(widget).top(); }
double width(const QWidget* widget) { return rect(widget).width(); }
double height(const QWidget* widget) { return rect(widget).height(); }

}  // namespace twips
