#include "diary/CalendarAccess.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>

#include "Accessibility.h"
#include "AppContext.h"
#include "Texts.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "diary/DiaryFiles.h"
#include "scheduler/Form2.h"

namespace {

const char* const kWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};

}  // namespace

CalendarAccess::CalendarAccess(Form2& window) : QObject(&window), m_window(window) {
    for (int k = 0; k < CalendarGrid::kCells; ++k) m_window.dayCell(k)->installEventFilter(this);
    connect(&m_window.calendar(), &CalendarGrid::marked, this, &CalendarAccess::onMarked);
    onMarked();
}

QString CalendarAccess::cellName(int cell) const {
    const CalendarLabel* label = m_window.dayCell(cell);
    const QString day = label->text().trimmed();
    if (day.isEmpty()) return QString();
    const DateTexts date = m_window.calendar().selectedDate();
    QString name = day + QLatin1Char(' ') + date.month + QLatin1Char(' ') + date.year;
    // The marks by their colours; a day with appointments shows green even
    // when it has a diary entry too, so that one is looked up.
    const bool appointments = label->textColor() == DayMarker::kSchedule;
    const bool diary =
        label->textColor() == DayMarker::kDiary ||
        (appointments && QFileInfo::exists(m_window.app().appFolder +
                                           diaryfiles::fileName(day, date.month, date.year)));
    if (appointments) name += QStringLiteral(", appointments");
    if (diary) name += QStringLiteral(", diary entry");
    return name;
}

int CalendarAccess::selectedCell() const {
    const QString day = m_window.calendar().selectedDate().day;
    for (int k = 0; k < CalendarGrid::kCells; ++k)
        if (!day.isEmpty() && m_window.dayCell(k)->text().trimmed() == day) return k;
    return -1;
}

int CalendarAccess::cellOf(const QObject* object) const {
    for (int k = 0; k < CalendarGrid::kCells; ++k)
        if (m_window.dayCell(k) == object) return k;
    return -1;
}

void CalendarAccess::onMarked() {
    int tabStop = selectedCell();
    for (int k = 0; tabStop < 0 && k < CalendarGrid::kCells; ++k)
        if (!m_window.dayCell(k)->text().isEmpty()) tabStop = k;
    for (int k = 0; k < CalendarGrid::kCells; ++k) {
        CalendarLabel* label = m_window.dayCell(k);
        const QString name = cellName(k);
        if (label->accessibleName() != name)
            accessibility::describe(label, name, QString::fromLatin1(kWeekdays[k % 7]));
        // Tab reaches the grid at the selected day only; the mouse reaches
        // every day; a cell without a day takes no focus.
        const Qt::FocusPolicy policy =
            name.isEmpty() ? Qt::NoFocus : k == tabStop ? Qt::StrongFocus : Qt::ClickFocus;
        if (label->focusPolicy() != policy) label->setFocusPolicy(policy);
    }
}

void CalendarAccess::focusGrid(Qt::FocusReason reason) {
    for (int k = 0; k < CalendarGrid::kCells; ++k)
        if (m_window.dayCell(k)->focusPolicy() == Qt::StrongFocus) m_window.dayCell(k)->setFocus(reason);
}

void CalendarAccess::moveTo(int cell) {
    // Selecting the day redraws the month when it changes, as a press does.
    m_window.calendar().pressDay(cell, 4);
    m_window.dayCell(cell)->setFocus(Qt::TabFocusReason);
}

bool CalendarAccess::onKey(int cell, const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool menuKey = key.key() == Qt::Key_Menu ||
                         (key.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    if (menuKey || (modifiers == Qt::NoModifier &&
                    (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
                     key.key() == Qt::Key_Space))) {
        // The menu opens at the cell, which has the focus.
        m_window.calendar().pressDay(cell, 2);
        return true;
    }
    if (modifiers != Qt::NoModifier) return false;

    const QString dayText = m_window.dayCell(cell)->text().trimmed();
    const DateTexts date = m_window.calendar().selectedDate();
    const auto year = texts::wholeNumber(date.year);
    const calendar::Day from{dayText.toInt(), texts::monthNumber(date.month), year ? *year : 0};
    std::optional<calendar::Day> to;
    switch (key.key()) {
        case Qt::Key_Left: to = calendar::addDays(from, -1); break;
        case Qt::Key_Right: to = calendar::addDays(from, 1); break;
        case Qt::Key_Up: to = calendar::addDays(from, -7); break;
        case Qt::Key_Down: to = calendar::addDays(from, 7); break;
        case Qt::Key_PageUp: to = calendar::addMonths(from, -1); break;
        case Qt::Key_PageDown: to = calendar::addMonths(from, 1); break;
        case Qt::Key_Home: to = calendar::addDays(from, 1 - from.day); break;
        case Qt::Key_End:
            to = calendar::addDays(from, calendar::daysOfMonth(from.month, from.year) - from.day);
            break;
        default: return false;
    }
    // At the ends of the years offered, or in a month that is no month
    // name, the selection stays.
    if (!to) return true;
    if (to->month != from.month || to->year != from.year) m_window.calendar().selectDate(*to);
    const QString target = QString::number(to->day);
    for (int k = 0; k < CalendarGrid::kCells; ++k) {
        if (m_window.dayCell(k)->text().trimmed() == target) {
            moveTo(k);
            break;
        }
    }
    return true;
}

bool CalendarAccess::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int cell = cellOf(watched);
        if (cell >= 0 && !m_window.dayCell(cell)->text().isEmpty() &&
            onKey(cell, *static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
