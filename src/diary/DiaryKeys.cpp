#include "diary/DiaryKeys.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>

#include "RichTextBox.h"
#include "diary/CalendarGrid.h"
#include "diary/DiaryFiles.h"
#include "scheduler/Form2.h"

DiaryKeys::DiaryKeys(Form2& window) : QObject(&window), m_window(window) {
    PlannerMenus& menus = m_window.menus;
    const std::pair<QAction*, QKeyCombination> editorKeys[] = {
        {menus.qs, Qt::CTRL | Qt::Key_S},     {menus.Save, Qt::CTRL | Qt::Key_E},
        {menus.New, Qt::CTRL | Qt::Key_N},    {menus.open, Qt::CTRL | Qt::Key_O},
        {menus.pr, Qt::CTRL | Qt::Key_P},     {menus.find, Qt::CTRL | Qt::Key_F},
        {menus.Delete, Qt::CTRL | Qt::Key_D},
    };
    for (const auto& [action, key] : editorKeys) {
        // Shown in the pop-up menu; the menu alone never acts on it, being
        // in no window's menu bar.
        action->setShortcut(QKeySequence(key));
        auto* shortcut = new QShortcut(QKeySequence(key), m_window.RichTextBox1);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
    }
    menus.mark->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    menus.display->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    auto* make = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), &m_window);
    connect(make, &QShortcut::activated, this, &DiaryKeys::onMakeKey);
    auto* display = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &m_window);
    connect(display, &QShortcut::activated, this, &DiaryKeys::onDisplayKey);
}

bool DiaryKeys::calendarKeysAllowed() const {
    const RichTextBox* box = m_window.RichTextBox1;
    // Closing the editor narrows the window over it without hiding it.
    const bool inView = box->isVisible() && box->x() < m_window.width();
    if (inView) return false;
    // Text typed since the last load or save shows as "Modified".
    return m_window.Label50->text().isEmpty();
}

void DiaryKeys::onMakeKey() {
    if (calendarKeysAllowed()) m_window.menus.mark->trigger();
}

void DiaryKeys::onDisplayKey() {
    if (!calendarKeysAllowed()) return;
    const DateTexts date = m_window.calendar().selectedDate();
    if (!diaryfiles::unsafeNameMessage(date.day, date.month, date.year).isEmpty()) return;
    const QString path =
        m_window.app().appFolder + diaryfiles::fileName(date.day, date.month, date.year);
    if (!QFileInfo::exists(path)) return;
    // The menu item is enabled only while the menu of a day with an entry
    // is open; the key stands for that menu's choice.
    QAction* item = m_window.menus.display;
    const bool enabled = item->isEnabled();
    item->setEnabled(true);
    item->trigger();
    item->setEnabled(enabled);
}
