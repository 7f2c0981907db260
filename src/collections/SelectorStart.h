#pragma once

#include <QObject>
#include <QPointer>

class Form2;
class MainWindowPort;

// The Main window's "Change table": Display halt, the Highlight reset, then the Database
// Selector, one at a time.
class SelectorStart : public QObject
{
    Q_OBJECT

public:
    explicit SelectorStart(MainWindowPort &main, QObject *parent = nullptr);

    // The Database Selector while one is open.
    Form2 *window() const;

public slots:
    void command18Click();

private:
    MainWindowPort &m_main;
    QPointer<Form2> m_window;
};
