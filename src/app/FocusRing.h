#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A clearly visible mark round the control that has the keyboard focus: a
// frame 2 pixels wide just outside the control, in a colour that stands out
// from the window behind it (yellow on the clock's black panel, blue on a
// light window). The controls keep their own colours. As the desktop's own
// programs do, the mark shows while the user works with the keyboard and
// goes away at a click of the mouse.
//
// One ring serves every window of the program; it follows the focus from
// window to window.
class FocusRing : public QObject {
    Q_OBJECT
public:
    explicit FocusRing(QObject* parent = nullptr);
    ~FocusRing() override;

    // The control the ring stands round; null while it is not shown.
    QWidget* target() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    // The control the ring goes round for the widget with the focus: an
    // editable selector rather than its inner text field.
    static QWidget* controlOf(QWidget* focus);
    void place();

    QPointer<QWidget> m_ring;
    QPointer<QWidget> m_target;
    bool m_keyboard = false;
};
