#include "StartUpOpening.h"

#include "Collections.h"
#include "Skip.h"
#include "TableCursor.h"
#include "WordDatabase.h"

#include <QFile>

#include <sys/stat.h>

namespace {

// The Welcome text's count of the Default collection, the one long read of start-up: the
// connection keeps it for the record sets opened after.
void countAhead(WordDatabase &db)
{
    TableCursor(db, Collections::chooseDefault(db)).recordCount();
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileIdentity{quint64(st.st_dev), quint64(st.st_ino)};
}

StartUpOpening::StartUpOpening() = default;

StartUpOpening::~StartUpOpening()
{
    if (m_thread.joinable())
        m_thread.join();
}

void StartUpOpening::begin(const QString &path)
{
    if (!m_path.isEmpty())
        return;
    m_path = path;
    m_thread = std::thread([this, path] {
        const std::optional<FileIdentity> before = FileIdentity::of(path);
        try {
            m_database = WordDatabase::openUnwatched(path);
        } catch (const std::exception &) {
            // The Main window opens it again and says why it cannot.
            return;
        }
        m_opened = FileIdentity::of(path);
        if (m_opened != before) // replaced while it was opened
            m_opened.reset();
        skipOnFailure(lcStore(), "counting the Default collection ahead",
                      [this] { countAhead(*m_database); });
    });
}

std::unique_ptr<WordDatabase> StartUpOpening::open(const QString &path)
{
    if (m_thread.joinable())
        m_thread.join();
    std::unique_ptr<WordDatabase> db = std::move(m_database);
    if (path != m_path || !m_opened || FileIdentity::of(path) != m_opened) {
        db.reset(); // closed before the file is opened again
        return WordDatabase::open(path);
    }
    db->finishOpening();
    return db;
}
