#pragma once

#include "StartUpOpening.h"

#include <QObject>
#include <QPointer>

#include <memory>

class Form1;
class Form3;

// The program's windows from start to end: the Splash screen first, then the Main window
// it hands over to, which stays for the rest of the run.
class Program : public QObject
{
    Q_OBJECT

public:
    // The exit status of a run whose start-up ended with a fatal message.
    static constexpr int StartUpFailed = 1;

    Program();
    ~Program() override;

    // The application's look, then the Splash screen. Returns false when the program has
    // already ended: the splash handed over at once and the Main window's start-up found no
    // usable database (its message has been shown). When the start-up fails later, from
    // the running event loop, that loop is ended and startUpFailed() says so.
    bool start();
    bool startUpFailed() const { return m_startUpFailed; }

    // The Splash screen until it has closed and gone.
    Form3 *splash() const;
    // The Main window once the splash has handed over and its start-up succeeded.
    Form1 *mainWindow() const { return m_main.get(); }

private:
    void loadMainWindow();

    StartUpOpening m_opening; // the word database, opened while the windows are made
    QPointer<Form3> m_splash;
    std::unique_ptr<Form1> m_main;
    bool m_startUpFailed = false;
};
