#pragma once

#include <QObject>
#include <QPointer>

class MainWindowPort;
class ProgressWindow;
class QPushButton;

// The quiz frame's "Progress": opens the progress window beside the Main window, which
// stays usable; a second click brings the open window to the front with fresh figures.
class ProgressStart : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QPushButton *Command22; // "Progress"
    };

    ProgressStart(const Controls &controls, MainWindowPort &port, QObject *parent = nullptr);
    // The window goes with the Main window.
    ~ProgressStart() override;

    // The progress window while one is open.
    ProgressWindow *window() const;

public slots:
    // "Progress" clicked.
    void command22Click();

private:
    MainWindowPort &m_port;
    QPointer<ProgressWindow> m_window;
};
