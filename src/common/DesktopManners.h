#pragma once

#include <QObject>

class QWidget;

// What users of a desktop program expect of every window, done once for the whole
// application by an event filter:
// - Enter (or the keypad's Enter) on a focused push button clicks it, as Space does;
// - a window that does not place itself opens centred on the screen the Main window is on
//   (the primary screen until there is one);
// - an input control without a caption of its own (text box, list, slider ...) that has no
//   accessible name is named after the caption beside or above it, its tooltip or its frame.
class DesktopManners : public QObject
{
    Q_OBJECT

public:
    // Installs the filter on the application, once however often it is called.
    static void install();

    // The accessible name a caption-less control would get: the caption (a label ending in
    // ':') just left of it in the same row, else just above it, else its tooltip, else the
    // title of the frame it sits in.
    static QString nameFromSurroundings(const QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DesktopManners(QObject *parent);
};
