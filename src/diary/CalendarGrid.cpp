#include "diary/CalendarGrid.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <optional>

#include "AppContext.h"
#include "Texts.h"
#include "diary/CalendarLabel.h"
#include "diary/DiaryFiles.h"

namespace calendar {

namespace {
// What subtracting 7 while the value is above 7 leaves.
qint64 reduceWeek(qint64 d) {
    return d > 7 ? (d - 1) % 7 + 1 : d;
}
}  // namespace

int daysOfMonth(int month, qint64 year) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 2:
            return year % 4 == 0 ? 29 : 28;
        default:
            return 30;
    }
}

int firstWeekday(qint64 year, int month) {
    // One weekday on per year since 1980, and one more for every year from
    // 1980 to the year before that is divisible by 4.
    qint64 d = year - 1980;
    if (year > 1980) d += (year - 1) / 4 - 1979 / 4;
    d = reduceWeek(d);
    d = d == 7 ? 1 : d + 1;
    // Then each earlier month of the year moves it on by its length.
    for (int j = 1; j < month; ++j) d += reduceWeek(daysOfMonth(j, year));
    return int(reduceWeek(d));
}

int columnOf(int weekday) {
    return weekday >= 1 && weekday <= 7 ? (weekday + 1) % 7 : -1;
}

namespace {
bool isDate(const Day& d) {
    return d.month >= 1 && d.month <= 12 && d.year >= kFirstYear && d.year <= kLastYear &&
           d.day >= 1 && d.day <= daysOfMonth(d.month, d.year);
}
}  // namespace

std::optional<Day> addDays(const Day& from, int days) {
    if (!isDate(from)) return std::nullopt;
    Day d = from;
    d.day += days;
    while (d.day < 1) {
        if (--d.month < 1) {
            d.month = 12;
            --d.year;
        }
        if (d.year < kFirstYear) return std::nullopt;
        d.day += daysOfMonth(d.month, d.year);
    }
    while (d.day > daysOfMonth(d.month, d.year)) {
        d.day -= daysOfMonth(d.month, d.year);
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
        if (d.year > kLastYear) return std::nullopt;
    }
    return d;
}

std::optional<Day> addMonths(const Day& from, int months) {
    if (!isDate(from)) return std::nullopt;
    const qint64 index = from.year * 12 + (from.month - 1) + months;
    Day d{from.day, int(index % 12) + 1, index / 12};
    if (d.year < kFirstYear || d.year > kLastYear) return std::nullopt;
    d.day = std::min(d.day, daysOfMonth(d.month, d.year));
    return d;
}

}  // namespace calendar

namespace {

const QStringList& yearItems() {
    static const QStringList items = [] {
        QStringList list;
        for (int y = calendar::kFirstYear; y <= calendar::kLastYear; ++y) list << QString::number(y);
        return list;
    }();
    return items;
}

const QStringList& monthItems() {
    static const QStringList items = [] {
        QStringList list;
        for (int m = 1; m <= 12; ++m) list << texts::monthName(m);
        return list;
    }();
    return items;
}

// The year text read as the calendar reads it: a whole number that fits 16
// bits, or nothing.
std::optional<qint64> yearValue(const QString& text) {
    const auto year = texts::wholeNumber(text);
    if (!year || *year < std::numeric_limits<qint16>::min() ||
        *year > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return year;
}

// Gives a selector its list; a list that already holds exactly these items
// is left alone, so the text being typed keeps its cursor.
void fillList(QComboBox* combo, const QStringList& items) {
    bool same = combo->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i) same = combo->itemText(i) == items[i];
    if (same) return;
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

// Sets a selector's text, choosing the list item when there is one.
void setText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) return;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) combo->setCurrentIndex(index);
    if (combo->currentText() != text) combo->setEditText(text);
}

}  // namespace

CalendarGrid::CalendarGrid(const Controls& controls, const AppContext& app, PopUp popUp,
                           QObject* parent)
    : QObject(parent),
      m_c(controls),
      m_app(app),
      m_popUp(std::move(popUp)),
      m_marker(controls.cells, app) {
    for (QComboBox* combo : {m_c.day, m_c.month, m_c.year}) {
        // Typed text is taken as typed: no completion, nothing added to the list.
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The Change and the Click of each selector.
        connect(combo, &QComboBox::editTextChanged, this, &CalendarGrid::onSelectorEvent);
        connect(combo, &QComboBox::activated, this, &CalendarGrid::onSelectorEvent);
    }
    for (int k = 0; k < kCells; ++k) {
        connect(m_c.cells[std::size_t(k)], &CalendarLabel::pressed, this,
                [this, k](int button) { pressDay(k, button); });
    }
    m_c.display->setEnabled(false);
    m_c.viewSchedule->setEnabled(false);
}

void CalendarGrid::onSelectorEvent() {
    if (!m_rebuildingSelectors) rebuildDateSelectors();
}

void CalendarGrid::fillYears() {
    fillList(m_c.year, yearItems());
}
void CalendarGrid::fillMonths() {
    fillList(m_c.month, monthItems());
}

void CalendarGrid::fillDays(int days) {
    QStringList items;
    for (int d = 1; d <= days; ++d) items << QString::number(d);
    fillList(m_c.day, items);
}

void CalendarGrid::initCalendar(const QDate& today) {
    m_rebuildingSelectors = true;
    m_c.day->clear();
    m_c.month->clear();
    m_c.year->clear();
    const texts::DateParts parts = texts::dateParts(today);
    fillYears();
    setText(m_c.year, QString::number(parts.year));
    fillMonths();
    setText(m_c.month, texts::monthName(parts.month));
    fillDays(calendar::daysOfMonth(parts.month, parts.year));
    setText(m_c.day, QString::number(parts.day));
    m_rebuildingSelectors = false;
    drawMonth();
}

void CalendarGrid::rebuildDateSelectors() {
    // A year being typed that is not yet a number leaves everything as it is.
    const auto year = yearValue(m_c.year->currentText());
    if (!year) return;
    m_rebuildingSelectors = true;
    const QString monthText = m_c.month->currentText();
    const QString dayText = m_c.day->currentText();
    fillYears();
    setText(m_c.year, QString::number(*year));
    // The month and day texts stay as they were, even when they name no
    // month or a day the month does not have.
    fillMonths();
    setText(m_c.month, monthText);
    fillDays(calendar::daysOfMonth(texts::monthNumber(monthText.trimmed()), *year));
    setText(m_c.day, dayText);
    m_rebuildingSelectors = false;
    drawMonth();
}

void CalendarGrid::drawMonth() {
    const auto year = yearValue(m_c.year->currentText());
    if (!year) return;
    const int month = texts::monthNumber(m_c.month->currentText().trimmed());
    m_daysInMonth = qint16(calendar::daysOfMonth(month, *year));
    const int first = calendar::columnOf(calendar::firstWeekday(*year, month));
    for (int k = 0; k < kCells; ++k) {
        CalendarLabel* cell = m_c.cells[std::size_t(k)];
        const int day = k - first + 1;
        cell->setText(first >= 0 && day >= 1 && day <= m_daysInMonth ? QString::number(day)
                                                                     : QString());
        cell->setBold(false);
        cell->setTextColor(k % 7 == 0 ? DayMarker::kSunday : DayMarker::kPlain);
    }
    markDays();
}

void CalendarGrid::markDays() {
    m_marker.markDays(m_c.month->currentText(), m_c.year->currentText(), m_daysInMonth);
    emit marked();
}

void CalendarGrid::selectDate(const calendar::Day& date) {
    m_rebuildingSelectors = true;
    setText(m_c.year, QString::number(date.year));
    setText(m_c.month, texts::monthName(date.month));
    setText(m_c.day, QString::number(date.day));
    m_rebuildingSelectors = false;
    rebuildDateSelectors();
}

DateTexts CalendarGrid::selectedDate() const {
    return {m_c.day->currentText().trimmed(), m_c.month->currentText().trimmed(),
            m_c.year->currentText().trimmed()};
}

QString CalendarGrid::diaryPath() const {
    const DateTexts date = selectedDate();
    return m_app.appFolder + diaryfiles::fileName(date.day, date.month, date.year);
}

void CalendarGrid::pressDay(int cell, int button) {
    if (cell < 0 || cell >= kCells) return;
    CalendarLabel* label = m_c.cells[std::size_t(cell)];
    if (!label->text().isEmpty()) {
        // Selecting the day redraws and re-marks the month when it changes.
        setText(m_c.day, label->text());
        m_c.display->setEnabled(QFileInfo::exists(diaryPath()));
        m_c.viewSchedule->setEnabled(label->textColor() == DayMarker::kSchedule);
        if (button == 1 || button == 2) m_popUp(m_c.dayMenu);
    }
    // "Display diary entry" is offered only while the menu of a day with an
    // entry is open.
    m_c.display->setEnabled(false);
}
