#pragma once

#include <QObject>
#include <QPointer>

class MainWindowPort;
class WordList;

// The Main window's "Word list": opens the word list over the Current collection, or
// brings the open one to the front.
class WordListStart : public QObject
{
    Q_OBJECT

public:
    explicit WordListStart(MainWindowPort &main, QObject *parent = nullptr);

    // The word list while one is open.
    WordList *window() const;

public slots:
    void command23Click();

signals:
    // A change made in the word list reached the file.
    void wordsChanged();

private:
    MainWindowPort &m_main;
    QPointer<WordList> m_window;
};
