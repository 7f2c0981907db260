#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QStringListModel;

// The Word chooser: an editable list of the collection's words in stored order with
// completion, so a word is found by typing its first letters among thousands. The list is
// a model filled in one go. A prompt ("Choose your word") stands in the text until the
// user picks or types a word; every change of the text by the user is announced.
class WordChooser : public QObject
{
    Q_OBJECT

public:
    explicit WordChooser(QComboBox *combo, QObject *parent = nullptr);

    // Replaces the list. The text is left to showPrompt().
    void fill(const QStringList &words);
    // Takes every item equal to `word` out of the list; returns how many there were.
    int removeAll(const QString &word);
    QStringList words() const;

    // Puts `prompt` in the text without announcing it: it is not a choice. While it stands
    // there, the chooser selects it whenever it takes the focus, so typing replaces it.
    void showPrompt(const QString &prompt);
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The text was changed or an item picked: the word to show.
    void chosen(const QString &text);

private:
    void announce(const QString &text);
    void selectPrompt();

    QComboBox *m_combo;
    QStringListModel *m_model;
    QString m_prompt;
    bool m_quiet = false;
};
