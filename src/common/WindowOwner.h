#pragma once

class QWidget;

// Which window a secondary window or a box belongs to. A window manager keeps a window above
// the one it is transient for, so a click on the (disabled) Main window cannot bury the window
// the user is working in. The link is made on the native windows only: a Qt child window
// would be disabled together with its parent, and so would a box opened over it.
namespace WindowOwner {

// Makes `window` a dialog-type window transient for the window of `owner`. Before `window`
// is first shown (X11 window managers honour the link only for dialog-type windows, and
// changing the type afterwards would make a new native window). Nothing happens when either
// is null or both are the same window.
void keepAbove(QWidget *window, QWidget *owner);

// The window `window` is kept above, or nullptr.
QWidget *of(const QWidget *window);

// The window a box opened now belongs to: the modal box already up (a box over a box), else
// the active window, else the program's shown and enabled window that no other such window
// is kept above (the secondary window over the Main window). The active window alone is not
// enough: while a window is still being shown, the window manager may not have activated it
// yet, and the active window is then the one it has just disabled or hidden.
QWidget *forNewBox();

} // namespace WindowOwner
