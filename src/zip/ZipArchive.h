#pragma once

#include "LateModule.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class QIODevice;

// Zip archives, read and written through QuaZip in the late module lexmora-zip, which the
// program loads the first time it opens or writes a zipped document (.xlsx, .ods). Bounds
// and checks are the callers' (ZipPart, ZipPackage); this is the archive alone.

// An archive open for reading, one current part at a time.
class ZipReading
{
public:
    virtual ~ZipReading() = default;
    enum class Match { AnyCase, ExactCase };
    // Makes the part `name` the current one; false when the archive has none.
    virtual bool select(const QString &name, Match match = Match::AnyCase) = 0;
    // The current part's name as the archive spells it.
    virtual QString currentName() const = 0;
    // What the archive says of the current part: its stored and its inflated size.
    virtual bool currentSizes(quint64 &stored, quint64 &inflated) const = 0;
    // The current part's inflated bytes, or nullptr when it cannot be opened. The device is
    // the archive's, valid until closePart(), select() or the archive's end.
    virtual QIODevice *openPart() = 0;
    virtual void closePart() = 0;
};

// An archive written to a device, one part after another.
class ZipWriting
{
public:
    virtual ~ZipWriting() = default;
    // Starts the part `name`, kept uncompressed when `stored`, else deflated at `level`.
    // Gives the device its bytes go to, until endPart(), or nullptr with `error` set.
    virtual QIODevice *beginPart(const QString &name, bool stored, int level, int &error) = 0;
    // Ends the current part; the archive's error code, 0 when all is well.
    virtual int endPart() = 0;
    // Writes the archive's directory; the error code, 0 when all is well.
    virtual int finish() = 0;
    virtual bool isOpen() const = 0;
};

class ZipLibrary
{
public:
    static constexpr int Version = 1;

    virtual ~ZipLibrary() = default;
    // The archive at `path`, or nullptr when it cannot be opened as one.
    virtual std::unique_ptr<ZipReading> read(const QString &path) = 0;
    // A new archive written to `out`, which stays open and is never closed by the archive;
    // nullptr when it cannot be started.
    virtual std::unique_ptr<ZipWriting> write(QIODevice &out) = 0;

    // The program's zip library, loaded on first use; nullptr with `whyNot` set when the
    // module cannot be loaded.
    static ZipLibrary *instance(QString *whyNot)
    {
        return LateModule::interfaceOf<ZipLibrary>(QStringLiteral("zip"), whyNot);
    }
};
