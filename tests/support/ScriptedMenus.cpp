#include "support/ScriptedMenus.h"

#include <QAction>
#include <QMenu>

namespace {
void recordEnabled(QMenu* menu, QMap<QString, bool>& states) {
    for (QAction* action : menu->actions()) {
        if (!action->objectName().isEmpty())
            states.insert(action->objectName(), action->isEnabled());
        if (QMenu* sub = action->menu()) {
            if (!sub->objectName().isEmpty()) states.insert(sub->objectName(), action->isEnabled());
            recordEnabled(sub, states);
        }
    }
}
}  // namespace

QAction* ScriptedMenus::popUp(QMenu* menu, const QPoint&) {
    shown << menu->title();
    shownMenus << menu;
    QMap<QString, bool> states;
    recordEnabled(menu, states);
    enabledWhenShown << states;
    QAction* chosen = pick ? pick(menu) : scripted(menu);
    // A real menu runs only an item that can be chosen.
    if (!chosen || !chosen->isEnabled()) return nullptr;
    chosen->trigger();
    return chosen;
}

QAction* ScriptedMenus::scripted(QMenu* menu) {
    if (m_choices.empty()) {
        failures << QStringLiteral("menu \"%1\" shown with no choice prepared").arg(menu->title());
        return nullptr;
    }
    const QString text = m_choices.front();
    m_choices.pop_front();
    if (text.isEmpty()) return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == text) return action;
    }
    failures << QStringLiteral("menu \"%1\" has no item \"%2\"").arg(menu->title(), text);
    return nullptr;
}
