#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "diary/DayMarker.h"
#include "scheduler/Appointment.h"

class QAction;
class QComboBox;
class QMenu;
class CalendarLabel;
struct AppContext;

// The calendar's rules, free of any window.
namespace calendar {

// Days of a month by its number (1 .. 12): 31, 30, and for February 28, or
// 29 in every year divisible by 4. There is no century rule: the years the
// calendar offers, 1980 .. 2050, hold no year where it matters. Any other
// month number has 30 days.
int daysOfMonth(int month, qint64 year);

// The weekday of the 1st of a month counted from 1 January 1980, a Tuesday,
// on the calendar's own scale: 1 Tuesday, 2 Wednesday, 3 Thursday, 4 Friday,
// 5 Saturday, 6 Sunday, 7 Monday. Years before 1980 can give a value outside
// 1 .. 7, which names no weekday. A month number outside 1 .. 12 counts no
// months, so it gives the weekday of 1 January.
int firstWeekday(qint64 year, int month);

// The grid column of a weekday on that scale (0 Sunday .. 6 Saturday); -1
// when it names no weekday.
int columnOf(int weekday);

// The years the year selector offers.
constexpr int kFirstYear = 1980;
constexpr int kLastYear = 2050;

// A date of the calendar, its month as a number 1 .. 12.
struct Day {
    int day = 0;
    int month = 0;
    qint64 year = 0;
    bool operator==(const Day&) const = default;
};
// The date `days` days after `from` (before it for a negative count),
// across the ends of months and years by the calendar's own month lengths.
// Nothing when `from` is no date or the result leaves the years the year
// selector offers.
std::optional<Day> addDays(const Day& from, int days);
// The same day `months` months on, held within the days of that month.
std::optional<Day> addMonths(const Day& from, int months);

}  // namespace calendar

// The month calendar of the planner window: the day, month and year
// selectors, whose texts are the selected date, and the grid of 42 day cells
// (six weeks of seven days, Sunday first). It fills the selectors, lays out the month
// they name after every change, has the day marker colour it, and handles
// the press of a day cell.
class CalendarGrid : public QObject {
    Q_OBJECT
public:
    static constexpr int kCells = DayMarker::kCells;

    struct Controls {
        QComboBox* day = nullptr;
        QComboBox* month = nullptr;
        QComboBox* year = nullptr;
        std::array<CalendarLabel*, kCells> cells{};
        QMenu* dayMenu = nullptr;         // popped up by a day press
        QAction* display = nullptr;       // "Display diary entry"
        QAction* viewSchedule = nullptr;  // "View/Remove schedule"
    };
    // Shows a menu at the pointer and returns when it is dismissed and the
    // chosen command, if any, has run.
    using PopUp = std::function<void(QMenu*)>;

    CalendarGrid(const Controls& controls, const AppContext& app, PopUp popUp,
                 QObject* parent = nullptr);

    // Fills the selectors with `today` and draws its month.
    void initCalendar(const QDate& today);
    // Refills the three lists keeping the three texts, then draws the month.
    // While the year text is not a whole number nothing changes.
    void rebuildDateSelectors();
    // Lays out the month the selectors name, then marks the days.
    void drawMonth();
    // Re-colours the days of the month on show.
    void markDays();
    // The press of day cell k (0 .. 41) with a mouse button (1, 2 or 4).
    void pressDay(int cell, int button);
    // Sets the three selectors to a date at once and draws its month.
    void selectDate(const calendar::Day& date);

    // The selected date, as the three selectors hold it (trimmed).
    DateTexts selectedDate() const;
    // The diary file of the selected date, in the data folder.
    QString diaryPath() const;
    int daysInMonth() const { return m_daysInMonth; }
    bool rebuildingSelectors() const { return m_rebuildingSelectors; }

signals:
    // The days have been marked afresh (after every redraw too).
    void marked();

private:
    void onSelectorEvent();
    void fillYears();
    void fillMonths();
    void fillDays(int days);

    Controls m_c;
    const AppContext& m_app;
    PopUp m_popUp;
    DayMarker m_marker;
    qint16 m_daysInMonth = 0;
    bool m_rebuildingSelectors = false;
};
