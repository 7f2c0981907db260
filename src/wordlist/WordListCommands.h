#pragma once

#include "WordListRows.h"

#include <QUndoCommand>

#include <vector>

class WordListModel;

// The word list's changes on its undo stack. Each is written before it is pushed, so its
// first redo does nothing; undo and redo put back the rows exactly as they were saved,
// with their rowids and kept pointers, so the file holds the same bytes again.
class RowsChange : public QUndoCommand
{
public:
    enum class Kind { Edit, Delete };

    // `before` and `after` are the rows before and after the change; after a deletion
    // `after` is empty.
    RowsChange(WordListModel &model, Kind kind, std::vector<WordListRows::Saved> before,
               std::vector<WordListRows::Saved> after, const QString &text);

    void undo() override;
    void redo() override;

private:
    std::vector<qint64> rowids() const;
    void failed(const QString &reason);

    WordListModel &m_model;
    Kind m_kind;
    std::vector<WordListRows::Saved> m_before, m_after;
    bool m_written = true; // the change was made before the push
};
