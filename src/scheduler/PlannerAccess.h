#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <utility>
#include <vector>

class CalendarAccess;
class Form2;

// The planner window for the keyboard and for screen readers: names for
// its controls and its pop-up menus, Tab in the order the eye reads the
// window (the date selectors, the calendar, then the scheduler panel or the
// diary editor), the calendar's keys and day names, and the keys of the
// diary editor that reach its menu and lead out of it:
//   Menu or Shift+F10   the editor's menu, at the insertion point
//   Ctrl+Tab            on to "Diary Control" (Tab itself writes a tab)
//   Ctrl+Shift+Tab      back to the calendar
class PlannerAccess : public QObject {
    Q_OBJECT
public:
    explicit PlannerAccess(Form2& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameControls();
    void orderControls();
    // The right part of a narrow window is out of view but not hidden: Tab
    // passes over its controls then, and a focus left there goes back to
    // the calendar.
    void onResized();
    void onSizeSettled();
    bool inView(const QWidget* control) const;

    Form2& m_window;
    // What the filter compares with, taken while the window is whole: events
    // still come while the window is being destroyed, when its own members
    // can no longer be reached.
    QObject* m_windowObject;
    QPointer<QObject> m_editor;
    CalendarAccess* m_calendar = nullptr;
    // The controls of the right part with the focus they take in view.
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> m_rightPart;
    QTimer m_settled;
};
