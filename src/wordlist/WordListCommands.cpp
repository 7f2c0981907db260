#include "WordListCommands.h"

#include "Dialogs.h"
#include "EditingTexts.h"
#include "LongWork.h"
#include "StoreError.h"
#include "WordListModel.h"

RowsChange::RowsChange(WordListModel &model, Kind kind, std::vector<WordListRows::Saved> before,
                       std::vector<WordListRows::Saved> after, const QString &text)
    : QUndoCommand(text), m_model(model), m_kind(kind), m_before(std::move(before)),
      m_after(std::move(after))
{
}

std::vector<qint64> RowsChange::rowids() const
{
    std::vector<qint64> ids;
    for (const WordListRows::Saved &s : m_before)
        ids.push_back(s.row.rowid);
    return ids;
}

void RowsChange::failed(const QString &reason)
{
    // The file is as it was before the attempt; a change that cannot be replayed leaves
    // the stack rather than stand there to fail again.
    setObsolete(true);
    Dialogs::current().message(
        QStringLiteral("Sorry, this change could not be undone or redone: ") +
            EditingTexts::sentence(reason),
        EditingTexts::Title);
}

namespace {

// Rows written back one by one with the progress box of long work; it cannot be stopped
// half-way, as the undo stack has already moved.
template <typename Write> void withProgress(WordListModel &model, size_t rows, Write &&write)
{
    LongWork work(model.progressOwner(), QStringLiteral("Changing the words back..."));
    work.setCancellable(false);
    qint64 done = 0;
    model.setWriting(true);
    try {
        write([&] { return work.tick(++done, qint64(rows)); });
    } catch (...) {
        model.setWriting(false);
        throw;
    }
    model.setWriting(false);
}

} // namespace

void RowsChange::undo()
{
    try {
        withProgress(m_model, m_before.size(),
                     [&](const auto &tick) { m_model.rows().restore(m_before, [&] { tick(); }); });
    } catch (const StoreError &e) {
        m_model.noteOwnWrite();
        failed(e.message());
        return;
    }
    m_model.noteOwnWrite();
    if (m_kind == Kind::Delete)
        m_model.rowsRestored(rowids());
    else
        m_model.rowsWritten(rowids());
}

void RowsChange::redo()
{
    if (std::exchange(m_written, false))
        return;
    try {
        withProgress(m_model, m_before.size(), [&](const auto &tick) {
            if (m_kind == Kind::Delete)
                m_model.rows().remove(rowids(), tick);
            else
                m_model.rows().restore(m_after, [&] { tick(); });
        });
    } catch (const StoreError &e) {
        m_model.noteOwnWrite();
        failed(e.message());
        return;
    }
    m_model.noteOwnWrite();
    if (m_kind == Kind::Delete)
        m_model.rowsRemoved(rowids());
    else
        m_model.rowsWritten(rowids());
}
