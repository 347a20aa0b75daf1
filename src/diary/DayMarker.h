#pragma once

#include <QColor>
#include <QString>
#include <array>

class CalendarLabel;
struct AppContext;

// Shows on the month grid which days of the shown month hold something: a
// day with a diary file is blue and bold, a day with at least one
// appointment green and bold (green wins). Every run starts from the plain
// colours, so it can run at any time: after each redraw, after every change
// of a diary file or an appointment, and on every tick of the planner.
class DayMarker {
public:
    static constexpr int kCells = 42;
    using Cells = std::array<CalendarLabel*, kCells>;

    static inline const QColor kPlain{0, 0, 0};
    static inline const QColor kSunday{255, 0, 0};
    static inline const QColor kDiary{0, 0, 255};
    static inline const QColor kSchedule{0, 192, 0};

    // The cells in order (the first of each row is a Sunday); the context
    // gives the data folder and the appointment record set, read at each run.
    DayMarker(const Cells& cells, const AppContext& app);

    // Marks the cells for the month and year texts of the selectors, looking
    // for diary files of the days 1 .. daysInMonth.
    void markDays(const QString& monthText, const QString& yearText, int daysInMonth);

private:
    Cells m_cells;
    const AppContext& m_app;
};
