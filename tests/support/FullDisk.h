#pragma once

#include <QtGlobal>

// A disk that takes only so many bytes per file: SQLite's writes past that fail as on a full
// disk ("database or disk is full"). It is an SQLite VFS, registered as `Name` while the
// object lives, and the backup copies are written through it meanwhile.
class FullDisk
{
public:
    static constexpr const char *Name = "lexmora-full-disk";

    explicit FullDisk(qint64 bytesPerFile = 16384);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;
};
