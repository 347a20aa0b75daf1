#include "diary/CalendarLabel.h"

#include <QMouseEvent>

CalendarLabel::CalendarLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    p.setColor(QPalette::WindowText, m_textColor);
    setPalette(p);
}

void CalendarLabel::setTextColor(const QColor& color) {
    if (color == m_textColor) return;
    m_textColor = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void CalendarLabel::setBold(bool bold) {
    if (bold == m_bold) return;
    m_bold = bold;
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

int CalendarLabel::buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

void CalendarLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (const int code = buttonCode(event->button())) emit pressed(code);
}

void CalendarLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void CalendarLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
