#include "WindowFrame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace windowframe {

namespace {

constexpr int kPollMs = 10;
constexpr int kLongestWaitMs = 1000;
// What a title bar needs on the screen to be grabbed with the mouse, pixels.
constexpr int kGrip = 32;

QMargins ownMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                    frame.right() - inside.right(), frame.bottom() - inside.bottom());
}

bool framedAs(const QWidget* window, const QMargins& frame) {
    // Qt asks the window system again once the manager has changed the frame.
    return isFramed(window) && (frame.isNull() || window->windowHandle()->frameMargins() == frame);
}

void poll(QPointer<QWidget> window, std::function<void()> then, QMargins frame, int waited) {
    if (!window) return;
    if (framedAs(window, frame) || waited >= kLongestWaitMs) {
        then();
        return;
    }
    QTimer::singleShot(kPollMs, window, [window, then = std::move(then), frame, waited]() mutable {
        poll(window, std::move(then), frame, waited + kPollMs);
    });
}

}  // namespace

bool isFramed(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return window->isVisible() && handle && handle->isExposed();
}

QMargins margins(const QWidget* window) {
    if (isFramed(window)) return ownMargins(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || other->isFullScreen() || !other->isVisible() ||
            other->windowType() != Qt::Window || !isFramed(other))
            continue;
        return ownMargins(other);
    }
    return QMargins();
}

QRect rect(const QWidget* window) {
    if (isFramed(window)) return window->frameGeometry();
    const QMargins m = margins(window);
    return QRect(window->pos(), window->size().grownBy(m));
}

void whenFramed(QWidget* window, std::function<void()> then, const QMargins& frame) {
    poll(QPointer<QWidget>(window), std::move(then), frame, 0);
}

bool titleBarReachable(const QRect& frame, const QRect& area) {
    const int seen = std::min(frame.right(), area.right()) - std::max(frame.left(), area.left()) + 1;
    return frame.top() >= area.top() && frame.top() + kGrip <= area.bottom() + 1 &&
           seen >= std::min(kGrip, frame.width());
}

QPoint nearestInside(const QRect& frame, const QRect& area) {
    const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return QPoint(left, top);
}

QRect availableArea(const QRect& frame) {
    const QScreen* best = nullptr;
    qint64 bestOverlap = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(frame);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (area > bestOverlap) {
            best = screen;
            bestOverlap = area;
        }
    }
    if (!best) best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect();
}

}  // namespace windowframe
