#pragma once

#include <QObject>
#include <QPointer>

class Form4;
class MainWindowPort;

// The Main window's "Import": Display halt, the warning that the option reads spreadsheets,
// and on Yes the import window, one at a time.
class ImportStart : public QObject
{
    Q_OBJECT

public:
    explicit ImportStart(MainWindowPort &main, QObject *parent = nullptr);

    // The import window while one is open.
    Form4 *window() const;

public slots:
    void command12Click();

private:
    MainWindowPort &m_main;
    QPointer<Form4> m_window;
};
