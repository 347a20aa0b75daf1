#pragma once

#include <QObject>

class Form2;

// The diary's shortcut keys. The editor's menu is only ever a pop-up, so its
// items' keys are made to act here, and only where a slip of the fingers
// cannot throw away text:
//   in the editor: Ctrl+S "Quick Save", Ctrl+E "Save", Ctrl+N "New",
//     Ctrl+O "Open", Ctrl+P "Print", Ctrl+F "Find", Ctrl+D "Delete" (which
//     asks first); Ctrl+C, Ctrl+V and Ctrl+Z stay the editor's own, which
//     keep the formatting, and Ctrl+A selects all of the text;
//   in the calendar, while the editor is out of view and holds no text
//     changed since it was loaded or saved (no "Modified"): Ctrl+A "Make
//     a diary entry", Ctrl+Y "Display diary entry" (for a date that has an
//     entry).
// "Clear all text" has no key: it empties the editor without asking.
// The menus show the keys beside their items.
class DiaryKeys : public QObject {
    Q_OBJECT
public:
    explicit DiaryKeys(Form2& window);

private:
    // Whether opening the editor afresh would throw away text not saved.
    bool calendarKeysAllowed() const;
    void onMakeKey();
    void onDisplayKey();

    Form2& m_window;
};
