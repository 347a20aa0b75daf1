#pragma once

#include <QMenu>

#include "platform/IPopUpMenus.h"

// Pop-up menus as the user sees them: the menu's own modal loop.
class QtPopUpMenus final : public IPopUpMenus {
public:
    QAction* popUp(QMenu* menu, const QPoint& at) override { return menu->exec(at); }
};
