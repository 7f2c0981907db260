#include "FullDisk.h"

#include "Backups.h"

#include <sqlite3.h>

#include <cstring>

namespace {

sqlite3_vfs vfs;
sqlite3_vfs *real = nullptr;
qint64 capacity = 0;

// Our file: the methods below, then the real file they pass everything on to.
struct File
{
    sqlite3_file base;
    sqlite3_file *inner() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *self(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f);
}

sqlite3_file *in(sqlite3_file *f)
{
    return self(f)->inner();
}

int fileWrite(sqlite3_file *f, const void *data, int amount, sqlite3_int64 offset)
{
    if (offset + amount > capacity)
        return SQLITE_FULL;
    return in(f)->pMethods->xWrite(in(f), data, amount, offset);
}

sqlite3_io_methods methods = {
    3,
    [](sqlite3_file *f) { return in(f)->pMethods->xClose(in(f)); },
    [](sqlite3_file *f, void *data, int amount, sqlite3_int64 offset) {
        return in(f)->pMethods->xRead(in(f), data, amount, offset);
    },
    fileWrite,
    [](sqlite3_file *f, sqlite3_int64 size) { return in(f)->pMethods->xTruncate(in(f), size); },
    [](sqlite3_file *f, int flags) { return in(f)->pMethods->xSync(in(f), flags); },
    [](sqlite3_file *f, sqlite3_int64 *size) { return in(f)->pMethods->xFileSize(in(f), size); },
    [](sqlite3_file *f, int lock) { return in(f)->pMethods->xLock(in(f), lock); },
    [](sqlite3_file *f, int lock) { return in(f)->pMethods->xUnlock(in(f), lock); },
    [](sqlite3_file *f, int *out) { return in(f)->pMethods->xCheckReservedLock(in(f), out); },
    [](sqlite3_file *f, int op, void *arg) {
        return in(f)->pMethods->xFileControl(in(f), op, arg);
    },
    [](sqlite3_file *f) { return in(f)->pMethods->xSectorSize(in(f)); },
    [](sqlite3_file *f) { return in(f)->pMethods->xDeviceCharacteristics(in(f)); },
    [](sqlite3_file *f, int page, int size, int extend, void volatile **out) {
        return in(f)->pMethods->xShmMap(in(f), page, size, extend, out);
    },
    [](sqlite3_file *f, int offset, int n, int flags) {
        return in(f)->pMethods->xShmLock(in(f), offset, n, flags);
    },
    [](sqlite3_file *f) { in(f)->pMethods->xShmBarrier(in(f)); },
    [](sqlite3_file *f, int deleteFlag) { return in(f)->pMethods->xShmUnmap(in(f), deleteFlag); },
    // No memory map: every write goes through fileWrite.
    [](sqlite3_file *, sqlite3_int64, int, void **out) {
        *out = nullptr;
        return SQLITE_OK;
    },
    [](sqlite3_file *, sqlite3_int64, void *) { return SQLITE_OK; },
};

int open(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    File *file = self(f);
    file->base.pMethods = nullptr;
    file->inner()->pMethods = nullptr;
    const int rc = real->xOpen(real, name, file->inner(), flags, outFlags);
    // The engine closes a file whose methods are set, even one whose opening failed.
    if (file->inner()->pMethods)
        file->base.pMethods = &methods;
    return rc;
}

} // namespace

FullDisk::FullDisk(qint64 bytesPerFile)
{
    capacity = bytesPerFile;
    real = sqlite3_vfs_find(nullptr);
    vfs = *real;
    vfs.zName = Name;
    vfs.szOsFile = int(sizeof(File)) + real->szOsFile;
    vfs.xOpen = open;
    sqlite3_vfs_register(&vfs, 0);
    Backups::setCopyVfsForTests(Name);
}

FullDisk::~FullDisk()
{
    Backups::setCopyVfsForTests(nullptr);
    sqlite3_vfs_unregister(&vfs);
}
