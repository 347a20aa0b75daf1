#pragma once

#include <QString>
#include <QStringList>
#include <deque>

class Form1;
class QMenu;

// Stands in for the clock window's pop-up menus: each menu shown is recorded
// by its title and answered with the next scripted item text (or with no
// choice), whose action is triggered as a click on it would.
class ScriptedMenus {
public:
    explicit ScriptedMenus(Form1& form);
    // The next menu shown chooses the item with this text; an empty text
    // closes it without a choice.
    void choose(const QString& itemText) { m_choices.push_back(itemText); }

    QStringList shown;     // titles of the menus shown, in order
    QStringList failures;  // scripting problems: no choice prepared, no such item

private:
    std::deque<QString> m_choices;
};
