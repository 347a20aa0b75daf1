#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "platform/IPopUpMenus.h"

// Stands in for the windows' pop-up menus: each menu shown is recorded, with
// its items' enabled states at that moment, and answered with the next
// scripted item (or with no choice), whose action is triggered as a click on
// it would. An item that cannot be chosen is not run.
class ScriptedMenus final : public IPopUpMenus {
public:
    // The next menu shown chooses the item with this text;
    // an empty text closes it without a choice.
    void choose(const QString& itemText) { m_choices.push_back(itemText); }

    QAction* popUp(QMenu* menu, const QPoint& at) override;

    QStringList shown;                    // titles of the menus shown, in order
    QList<QMenu*> shownMenus;             // the menus shown, in order
    QList<QMap<QString, bool>> enabledWhenShown;  // their items' states, by object name
    QStringList failures;  // scripting problems: no choice prepared, no such item
    // Picks the item instead of the script when set; null closes the menu.
    std::function<QAction*(QMenu*)> pick;

private:
    QAction* scripted(QMenu* menu);
    std::deque<QString> m_choices;
};
