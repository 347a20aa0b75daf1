#include "scheduler/PlannerAccess.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>

#include "Accessibility.h"
#include "RichTextBox.h"
#include "diary/CalendarAccess.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "scheduler/Form2.h"

using accessibility::describe;

PlannerAccess::PlannerAccess(Form2& window)
    : QObject(&window), m_window(window), m_windowObject(&window), m_editor(window.RichTextBox1->editor()) {
    nameControls();
    orderControls();
    m_calendar = new CalendarAccess(window);
    window.RichTextBox1->editor()->installEventFilter(this);
    for (QWidget* control : std::initializer_list<QWidget*>{
             window.HScroll1, window.HScroll2, window.HScroll3, window.RichTextBox2->editor(),
             window.Command1, window.Command2, window.RichTextBox1->editor(), window.Command3,
             window.Slider1})
        m_rightPart.emplace_back(control, control->focusPolicy());
    window.installEventFilter(this);
    // The window changes width in steps; the focus is looked at once the
    // steps are over, since a widening passes through narrow widths too.
    m_settled.setSingleShot(true);
    m_settled.setInterval(150);
    connect(&m_settled, &QTimer::timeout, this, &PlannerAccess::onSizeSettled);
    onResized();
}

bool PlannerAccess::inView(const QWidget* control) const {
    return control->mapTo(&m_window, QPoint(0, 0)).x() < m_window.width();
}

void PlannerAccess::onResized() {
    for (const auto& [control, policy] : m_rightPart)
        if (control) control->setFocusPolicy(inView(control) ? policy : Qt::NoFocus);
    m_settled.start();
}

void PlannerAccess::onSizeSettled() {
    const QWidget* focus = m_window.focusWidget();
    for (const auto& [control, policy] : m_rightPart)
        if (control && control == focus && !inView(control))
            m_calendar->focusGrid(Qt::OtherFocusReason);
}

void PlannerAccess::nameControls() {
    Form2& w = m_window;
    describe(w.Combo1, QStringLiteral("Day"));
    describe(w.Combo2, QStringLiteral("Month"));
    describe(w.Combo3, QStringLiteral("Year"));
    accessibility::nameWithLabel(w.HScroll1, QStringLiteral("Hour"), w.Label53);
    accessibility::nameWithLabel(w.HScroll2, QStringLiteral("Minute"), w.Label55);
    accessibility::nameWithLabel(w.HScroll3, QStringLiteral("AM or PM"), w.Label56);
    for (QScrollBar* bar : {w.HScroll1, w.HScroll2, w.HScroll3}) {
        bar->setAccessibleDescription(QStringLiteral("The time of the appointment"));
        accessibility::makeKeyboardPicker(bar);
    }
    describe(w.RichTextBox2, w.Frame3->title());
    // Only the plain text of an appointment is kept: Tab moves on.
    w.RichTextBox2->editor()->setTabChangesFocus(true);
    describe(w.RichTextBox1, QStringLiteral("Diary entry"),
             QStringLiteral("Menu key: the diary's commands; Ctrl+Tab: leave the entry"));
    describe(w.Label50, QStringLiteral("Diary entry status"));
    describe(w.Slider1, QStringLiteral("Appointment of the day"),
             QStringLiteral("Steps through the appointments of the selected date"));
    w.menus.all->setAccessibleName(QStringLiteral("Day"));
    w.menus.all2->setAccessibleName(QStringLiteral("Diary"));
    w.menus.mf->setAccessibleName(QStringLiteral("Calendar"));
    accessibility::nameScrollBars(&w);
}

void PlannerAccess::orderControls() {
    Form2& w = m_window;
    // The date selectors, the grid (whose one stop is the selected day),
    // then the right part: the panel from top to bottom, or the editor and
    // the button below it.
    QWidget* previous = w.Combo3;
    QWidget::setTabOrder(w.Combo1, w.Combo2);
    QWidget::setTabOrder(w.Combo2, w.Combo3);
    for (int k = 0; k < CalendarGrid::kCells; ++k) {
        QWidget::setTabOrder(previous, w.dayCell(k));
        previous = w.dayCell(k);
    }
    accessibility::tabOrder({previous, w.HScroll1, w.HScroll2, w.HScroll3, w.RichTextBox2,
                             w.Command1, w.Command2, w.RichTextBox1, w.Command3, w.Slider1});
}

bool PlannerAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_windowObject && event->type() == QEvent::Resize) onResized();
    if (!m_editor || watched != m_editor || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QTextEdit* editor = m_window.RichTextBox1->editor();
    if (key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        const QRect caret = editor->cursorRect();
        m_window.popUp(m_window.menus.all2,
                       editor->viewport()->mapToGlobal(caret.bottomLeft()));
        return true;
    }
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        (modifiers & Qt::ControlModifier)) {
        if (modifiers & Qt::ShiftModifier || key->key() == Qt::Key_Backtab) {
            m_calendar->focusGrid(Qt::BacktabFocusReason);
        } else {
            m_window.Command3->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
