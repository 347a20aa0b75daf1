#pragma once

#include <QPoint>
#include <QString>
#include <initializer_list>

class QAbstractSlider;
class QLabel;
class QScrollBar;
class QWidget;

// What every window does for users of the keyboard and of screen readers:
// names for its controls, Tab in the order the eye reads them, and pop-up
// menus that open where the user is working.
namespace accessibility {

// The name a screen reader announces for `control` and, where it helps, a
// longer description. A control that hands its focus to an inner one (a
// rich-text box, an editable selector) gives the inner one the same name,
// since that is the one the reader meets.
void describe(QWidget* control, const QString& name, const QString& description = QString());

// A picker whose value the user reads from a label beside it (" 07",
// "PM"): its name carries the label's text, as it stands after each move.
void nameWithLabel(QAbstractSlider* picker, const QString& name, const QLabel* label);

// The scroll bars that scroll views and text boxes bring along, named for
// their direction, so that no control of `window` goes unnamed.
void nameScrollBars(QWidget* window);

// Tab visits the controls in this order; hidden and disabled ones are
// passed over.
void tabOrder(std::initializer_list<QWidget*> controls);

// Makes a control a stop of Tab and of a click.
void makeTabStop(QWidget* control);

// A scroll bar used as a picker, reached with Tab and moved with the keys:
// the arrow keys a step, Page Up and Page Down a page, Home and End to the
// ends. Scroll bars take no focus and ignore the keys otherwise.
void makeKeyboardPicker(QScrollBar* picker);

// Where a pop-up menu opens (screen coordinates): at the pointer when the
// pointer is on the control that has the keyboard focus or on a window's
// background, as after a click there; otherwise the menu was asked for
// from the keyboard, and it opens at the lower left corner of the control
// with the focus.
QPoint popUpPoint();

}  // namespace accessibility
