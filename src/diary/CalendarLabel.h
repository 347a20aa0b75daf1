#pragma once

#include <QColor>
#include <QLabel>

// A label of the month calendar: a weekday header or a day cell. It has the
// calendar's grey background, a caption, a text colour and bold, which the
// calendar sets, and it reports a mouse press with the button as the design
// numbers it: 1 left, 2 right, 4 middle. A press on a label never reaches the
// window behind it.
class CalendarLabel : public QLabel {
    Q_OBJECT
public:
    explicit CalendarLabel(QWidget* parent = nullptr);

    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);
    bool isBold() const { return m_bold; }
    void setBold(bool bold);

    // The design's number for a mouse button; 0 for any other button.
    static int buttonCode(Qt::MouseButton button);

signals:
    void pressed(int button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_textColor = Qt::black;
    bool m_bold = false;
};
