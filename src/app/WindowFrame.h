#pragma once

#include <QMargins>
#include <QRect>
#include <functional>

class QWidget;

// The frame the window manager draws round a top-level window: its title bar
// and borders. Qt learns the frame only once the manager has framed the
// window; a window placed before that is placed by its frame's corner (what
// QWidget::move takes), but its frame's size is not known yet.
namespace windowframe {

// Whether the window manager has framed `window`: it is shown and on the
// screen. A reparenting manager frames a window before it maps it, so a
// window that can be seen has its frame.
bool isFramed(const QWidget* window);

// The margins of the frame round `window`. For a window not framed yet, those
// of a framed window of the program (the manager frames them alike); none
// when no window is framed.
QMargins margins(const QWidget* window);

// The frame's rectangle in pixels: where the window's frame stands, or will
// stand once framed, and its outer size.
QRect rect(const QWidget* window);

// Runs `then` once `window` is framed, with the margins `frame` when they
// are given (a window back from full screen, which the manager frames anew):
// at once when it is, else as soon as it is, and at the latest after a second
// (a manager that never shows it). Nothing runs if the window is deleted
// first.
void whenFramed(QWidget* window, std::function<void()> then, const QMargins& frame = QMargins());

// Whether a user can reach the title bar of a window whose frame is `frame`
// on a screen whose free part is `area`: the frame's top edge is on it, with
// room to grab the bar below it and beside it.
bool titleBarReachable(const QRect& frame, const QRect& area);

// Where the frame's corner goes when `frame` is moved the least distance that
// puts it wholly inside `area` (its top-left corner on `area` when it is the
// larger).
QPoint nearestInside(const QRect& frame, const QRect& area);

// The part of the screen where `frame` should stand: the available area of
// the screen it overlaps most (the primary screen's when it overlaps none).
QRect availableArea(const QRect& frame);

}  // namespace windowframe
