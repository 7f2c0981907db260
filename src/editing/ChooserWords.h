#pragma once

#include <QAbstractListModel>
#include <QString>

#include <vector>

class WordDatabase;

// The words of one collection in table order, read from the store a page at a time as a
// view shows them (canFetchMore/fetchMore), so a million words cost what the few rows in
// sight cost. The first page is read when the list is set.
class ChooserWords : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int FirstPage = 100;
    static constexpr int Page = 500;

    explicit ChooserWords(QObject *parent = nullptr);

    // Lists the words of `table` afresh; without a database the list is empty.
    void show(WordDatabase *db, const QString &table);
    // Takes the records with these rowids out of the rows read; those not read yet are
    // gone from the store and never come.
    void forget(const std::vector<qint64> &rowids);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void read(int limit);

    WordDatabase *m_db = nullptr;
    QString m_table;
    std::vector<qint64> m_rowids;
    std::vector<QString> m_words;
    qint64 m_lastRowid = 0;
    bool m_end = true;
};
