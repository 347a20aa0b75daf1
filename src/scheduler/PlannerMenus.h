#pragma once

class QAction;
class QMenu;
class QWidget;

// The planner window's three menus, named as the window design names them.
// None of them is in a menu bar: each is only shown as a pop-up menu.
//   all   the day menu, popped up by a press on a day cell
//   all2  the diary editor's menu, popped up by "Diary Control" and by the
//         right mouse button on the editor
//   mf    the window menu, popped up from the window's background
struct PlannerMenus {
    explicit PlannerMenus(QWidget* owner);

    QMenu* all = nullptr;
    QMenu* dc = nullptr;  // "Diary control"
    QAction* mark = nullptr;
    QAction* display = nullptr;
    QAction* sld = nullptr;
    QAction* ftw = nullptr;
    QMenu* sc = nullptr;  // "Scheduler control"
    QAction* note1 = nullptr;
    QAction* vea = nullptr;
    QAction* note2 = nullptr;
    QAction* note3 = nullptr;
    QAction* note4 = nullptr;  // calendar file export
    QAction* note5 = nullptr;  // calendar file import

    QMenu* all2 = nullptr;
    QMenu* efo = nullptr;  // "File options"
    QAction* New = nullptr;
    QAction* open = nullptr;
    QAction* Save = nullptr;
    QAction* qs = nullptr;
    QAction* pr = nullptr;
    QAction* Delete = nullptr;
    QAction* ev = nullptr;  // "Earlier versions"
    QMenu* eo = nullptr;    // "Editing Options"
    QMenu* just = nullptr;  // "Justification"
    QAction* left = nullptr;
    QAction* right1 = nullptr;
    QAction* center = nullptr;
    QAction* cf = nullptr;
    QAction* Undo = nullptr;
    QAction* copy = nullptr;
    QAction* Paste = nullptr;
    QAction* find = nullptr;
    QAction* clr = nullptr;
    QAction* close = nullptr;

    QMenu* mf = nullptr;
    QAction* cc1 = nullptr;
};
