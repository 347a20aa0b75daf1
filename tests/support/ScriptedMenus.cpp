#include "support/ScriptedMenus.h"

#include <QAction>
#include <QMenu>

#include "clock/Form1.h"

ScriptedMenus::ScriptedMenus(Form1& form) {
    form.popUpMenu = [this](QMenu* menu) -> QAction* {
        shown << menu->title();
        if (m_choices.empty()) {
            failures
                << QStringLiteral("menu \"%1\" shown with no choice prepared").arg(menu->title());
            return nullptr;
        }
        const QString text = m_choices.front();
        m_choices.pop_front();
        if (text.isEmpty()) return nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return action;
            }
        }
        failures << QStringLiteral("menu \"%1\" has no item \"%2\"").arg(menu->title(), text);
        return nullptr;
    };
}
