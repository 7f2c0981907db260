#pragma once

#include <QPointer>
#include <QWidget>

class MainWindowPort;

// How a secondary window borrows the Main window and gives it back. Taking it disables it,
// and hides it too for the windows that take its place on the screen, and keeps the borrowing
// window above it (WindowOwner). Giving it back enables and shows it, exactly once however
// many ways out a window has (its Close button, the close box, the end of its work). The Main
// window may be gone before the borrowing window: then nothing is given back and the port,
// which is that window, is not used any more.
class MainWindowLoan
{
public:
    enum class Away {
        Disabled, // stays in view behind the borrowing window
        Hidden,   // disabled and out of view
    };

    explicit MainWindowLoan(MainWindowPort &port);

    // Takes the Main window for `window`; again after giveBack() when a window takes it a
    // second time.
    void take(QWidget *window, Away away);
    // Enables and shows the Main window. True when it did so: the first call after take(),
    // while the Main window lives.
    bool giveBack();

    // Taken and not yet given back, and the Main window still there.
    bool held() const { return m_held && m_main; }
    // The port while its Main window lives, else nullptr.
    MainWindowPort *port() const;
    QWidget *mainWindow() const { return m_main; }

private:
    MainWindowPort &m_port;
    QPointer<QWidget> m_main;
    bool m_held = false;
};
