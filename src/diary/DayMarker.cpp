#include "diary/DayMarker.h"
#include "diary/DiaryFiles.h"

#include <QFileInfo>
#include <vector>

#include "AppContext.h"
#include "Database.h"
#include "Texts.h"
#include "diary/CalendarLabel.h"
#include "scheduler/Appointment.h"

DayMarker::DayMarker(const Cells& cells, const AppContext& app) : m_cells(cells), m_app(app) {}

void DayMarker::markDays(const QString& monthText, const QString& yearText, int daysInMonth) {
    enum class Mark { None, Diary, Schedule };
    std::array<Mark, kCells> marks;
    marks.fill(Mark::None);

    // The cells holding a day number, by the number their caption names
    // exactly: "7" is day 7, " 7" trimmed too, "07" or "" no day at all.
    struct NumberedCell {
        qint64 day;
        int cell;
    };
    std::vector<NumberedCell> numbered;
    numbered.reserve(kCells);
    for (int k = 0; k < kCells; ++k) {
        const QString caption = m_cells[std::size_t(k)]->text().trimmed();
        const auto day = texts::wholeNumber(caption);
        if (day && QString::number(*day) == caption) numbered.push_back({*day, k});
    }
    auto mark = [&](qint64 day, Mark m) {
        for (const NumberedCell& c : numbered)
            if (c.day == day) marks[std::size_t(c.cell)] = m;
    };

    const QString month = monthText.trimmed();
    const QString year = yearText.trimmed();

    // Diary files: one existence check per day of the month, so a file
    // written or deleted a moment ago is seen on this very run.
    if (!numbered.empty()) {
        for (int i = 1; i <= daysInMonth; ++i) {
            const QString path = m_app.appFolder + diaryfiles::fileName(QString::number(i), month, year);
            if (QFileInfo::exists(path)) mark(i, Mark::Diary);
        }
    }

    // Appointments of the shown month and year, compared by value: the
    // month as the number its trimmed name gives (a month text that names
    // no month is compared as text), the year as the whole number the
    // selector writes. A record whose columns are null or no numbers simply
    // matches nothing.
    if (RecordSet* records = m_app.scheduleRecords.get(); records && !numbered.empty()) {
        const int monthWanted = texts::monthNumber(month);
        std::optional<qint64> yearWanted = texts::wholeNumber(year);
        if (yearWanted && QString::number(*yearWanted) != year) yearWanted.reset();
        if (yearWanted) {
            records->scanAll([&](const StoredRecord& record) {
                if (record.number(Appointment::Year) != yearWanted) return;
                if (monthWanted != 0
                        ? record.trimmedMonthNumber(Appointment::Month) != monthWanted
                        : !Appointment::textMatches(record.value(Appointment::Month), month))
                    return;
                if (const auto day = record.number(Appointment::Day)) mark(*day, Mark::Schedule);
            });
        }
    }

    // Every cell from its plain colour, then the marks; a cell is touched only
    // when it changes, so a tick that finds nothing new repaints nothing.
    for (int k = 0; k < kCells; ++k) {
        CalendarLabel* cell = m_cells[std::size_t(k)];
        const Mark m = marks[std::size_t(k)];
        const QColor plain = k % 7 == 0 ? kSunday : kPlain;
        cell->setTextColor(m == Mark::Schedule ? kSchedule : m == Mark::Diary ? kDiary : plain);
        cell->setBold(m != Mark::None);
    }
}
