#pragma once

class QAction;
class QMenu;
class QPoint;

// Shows a window's pop-up menus. The program's runs the menu's own modal
// loop; a test's picks the item the test has scripted.
class IPopUpMenus {
public:
    virtual ~IPopUpMenus() = default;
    // Shows `menu` at `at` (screen coordinates) and returns the command
    // chosen, after it has run; null when the menu was dismissed.
    virtual QAction* popUp(QMenu* menu, const QPoint& at) = 0;
};
