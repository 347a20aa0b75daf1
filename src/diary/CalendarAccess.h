#pragma once

#include <QObject>
#include <QString>

class Form2;
class QKeyEvent;

// The month calendar for the keyboard and for screen readers.
//
// The grid is one stop of Tab: the cell of the selected day. The arrow keys
// move the selection a day or a week, Page Up and Page Down a month, Home
// and End to the first and last day of the month, across the ends of months
// and years. Return, Space, the Menu key and Shift+F10 open the day's menu
// at the cell, as a press of the mouse does.
//
// Each day cell is named for its date and what it holds ("8 December 2026,
// appointments, diary entry"), so that the meaning of its colour reaches
// those who cannot tell the colours apart; the names follow every marking.
class CalendarAccess : public QObject {
    Q_OBJECT
public:
    explicit CalendarAccess(Form2& window);

    // The name a screen reader announces for day cell k (0 .. 41); empty
    // for a cell without a day.
    QString cellName(int cell) const;
    // Gives the focus to the grid: to the cell of the selected day.
    void focusGrid(Qt::FocusReason reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Names and focus of the cells after the days were marked afresh.
    void onMarked();
    // The cell that shows the selected day; -1 when none does.
    int selectedCell() const;
    int cellOf(const QObject* object) const;
    // Handles a key in day cell k; false when the key is not the calendar's.
    bool onKey(int cell, const QKeyEvent& key);
    void moveTo(int cell);

    Form2& m_window;
};
