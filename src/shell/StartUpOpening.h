#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <thread>

class WordDatabase;

// Which file a path names: a file put in the place of another has another identity.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    static std::optional<FileIdentity> of(const QString &path);
    bool operator==(const FileIdentity &) const = default;
};

// The word database opened on a thread of its own while the splash and the Main window are
// made: at a million words the open and the Welcome text's count take several milliseconds,
// which the Main window's first complete paint no longer waits for. Only what needs no
// window runs there (WordDatabase::openUnwatched);
// whatever that refuses, the Main window opens again the usual way, with its boxes and
// messages, so the outcome is the same as opening there in the first place.
class StartUpOpening
{
public:
    StartUpOpening();
    ~StartUpOpening();
    StartUpOpening(const StartUpOpening &) = delete;
    StartUpOpening &operator=(const StartUpOpening &) = delete;

    // Starts opening the file at `path`; a second call does nothing.
    void begin(const QString &path);
    // The word database at `path` for the calling thread: the one opened ahead, finished
    // here (WordDatabase::finishOpening), or else opened here as WordDatabase::open does,
    // when none was begun for this path, the file was refused there or another file has
    // taken its place since. Throws StoreError as open does.
    std::unique_ptr<WordDatabase> open(const QString &path);

private:
    QString m_path;
    std::optional<FileIdentity> m_opened; // the file the thread opened
    std::unique_ptr<WordDatabase> m_database; // the thread's until it has been joined
    std::thread m_thread;
};
