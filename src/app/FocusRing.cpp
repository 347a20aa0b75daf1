#include "FocusRing.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kWidth = 2;  // pixels
constexpr int kGap = 1;    // between the control and the ring

// The ring itself: a frame painted over the window, through which the mouse
// reaches the controls below.
class RingWidget final : public QWidget {
public:
    explicit RingWidget(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }
    void setColor(const QColor& color) {
        if (color == m_color) return;
        m_color = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPen pen(m_color, kWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0,
                                                 -kWidth / 2.0));
    }

private:
    QColor m_color;
};

// Yellow on a dark background, a deep blue on a light one.
QColor ringColor(const QWidget* control) {
    const QWidget* behind = control->parentWidget() ? control->parentWidget() : control;
    const QColor background = behind->palette().color(behind->backgroundRole());
    return background.lightnessF() < 0.5 ? QColor(255, 204, 0) : QColor(0, 70, 200);
}

}  // namespace

FocusRing::FocusRing(QObject* parent) : QObject(parent) {
    connect(qApp, &QApplication::focusChanged, this, &FocusRing::onFocusChanged);
    qApp->installEventFilter(this);
}

FocusRing::~FocusRing() {
    delete m_ring;
}

QWidget* FocusRing::target() const {
    return m_ring && m_ring->isVisible() ? m_target.data() : nullptr;
}

QWidget* FocusRing::controlOf(QWidget* focus) {
    for (QWidget* w = focus; w && !w->isWindow(); w = w->parentWidget())
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) return w;
    return focus;
}

void FocusRing::onFocusChanged(QWidget*, QWidget* now) {
    // A pop-up menu takes the keyboard for a while; the ring waits where it is.
    if (now && now->window()->windowType() == Qt::Popup) return;
    m_target = now ? controlOf(now) : nullptr;
    place();
}

void FocusRing::place() {
    QWidget* control = m_target;
    const bool show = control && m_keyboard && control->isVisible() && !control->isWindow();
    if (!show) {
        if (m_ring) m_ring->hide();
        return;
    }
    QWidget* window = control->window();
    // A control that fills its window has no room round it, and a window
    // over the whole screen (the slide show) shows its pictures unframed.
    const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
    if (inWindow.contains(window->rect()) || window->isFullScreen()) {
        if (m_ring) m_ring->hide();
        return;
    }
    if (!m_ring || m_ring->parentWidget() != window) {
        delete m_ring;
        m_ring = new RingWidget(window);
    }
    auto* ring = static_cast<RingWidget*>(m_ring.data());
    ring->setColor(ringColor(control));
    const int margin = kWidth + kGap;
    ring->setGeometry(inWindow.adjusted(-margin, -margin, margin, margin));
    ring->raise();
    ring->show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            // Keys that move about or act on a control show the ring.
            if (!m_keyboard) {
                m_keyboard = true;
                place();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (m_keyboard) {
                m_keyboard = false;
                place();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            // The control, or a frame it sits in, moved, changed size, or
            // came or went.
            if (m_target && watched != m_ring && watched->isWidgetType() &&
                (watched == m_target.data() ||
                 static_cast<QWidget*>(watched)->isAncestorOf(m_target)))
                place();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
