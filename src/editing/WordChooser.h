#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QComboBox;
class QStringListModel;
class WordDatabase;
class ChooserWords;

// The Word chooser: an editable list of the collection's words in stored order with
// completion, so a word is found by typing its first letters among a million. The list
// reads the words from the store as they are scrolled into view; the completion asks the
// store's index for the words starting with what was typed. A prompt ("Choose your word")
// stands in the text until the user picks or types a word; every change of the text by the
// user is announced.
class WordChooser : public QObject
{
    Q_OBJECT

public:
    explicit WordChooser(QComboBox *combo, QObject *parent = nullptr);

    // Lists the words of `table` afresh (none without a database). The text is left to
    // showPrompt().
    void fill(WordDatabase *db, const QString &table);
    // Takes the deleted records with these rowids out of the list.
    void forget(const std::vector<qint64> &rowids);

    // Puts `prompt` in the text without announcing it: it is not a choice. While it stands
    // there, the chooser selects it whenever it takes the focus, so typing replaces it.
    void showPrompt(const QString &prompt);
    QString text() const;
    // True while the prompt stands in the text.
    bool showsPrompt() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The text was changed or an item picked: the word to show.
    void chosen(const QString &text);

private:
    void announce(const QString &text);
    void selectPrompt();
    void complete(const QString &typed);

    QComboBox *m_combo;
    ChooserWords *m_model;
    QStringListModel *m_matches; // what the completion offers for the text typed
    WordDatabase *m_db = nullptr;
    QString m_table;
    QString m_prompt;
    bool m_quiet = false;
};
