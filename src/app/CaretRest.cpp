#include "CaretRest.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CaretRest::CaretRest(QObject* parent, int restAfterMs)
    : QObject(parent), m_flashTime(QGuiApplication::styleHints()->cursorFlashTime()) {
    m_idle.setSingleShot(true);
    m_idle.setInterval(restAfterMs);
    connect(&m_idle, &QTimer::timeout, this, &CaretRest::rest);
    qApp->installEventFilter(this);
    m_idle.start();
}

CaretRest::~CaretRest() {
    qApp->removeEventFilter(this);
    wake();
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
            wake();
            // An event passes through several objects: the timer is started
            // again only once a tenth of its time has run.
            if (!m_idle.isActive() || m_idle.remainingTime() < m_idle.interval() * 9 / 10)
                m_idle.start();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::rest() {
    if (m_resting || m_flashTime <= 0) return;
    m_resting = true;
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void CaretRest::wake() {
    if (!m_resting) return;
    m_resting = false;
    QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}
