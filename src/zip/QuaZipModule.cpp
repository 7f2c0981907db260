// lexmora-zip: zip archives through QuaZip, in a module of its own so that the program
// loads QuaZip (and Qt's Core5Compat under it) only when it reads or writes a zipped
// document.
#include "LateModuleEntry.h"
#include "ZipArchive.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

namespace {

class QuaZipReading : public ZipReading
{
public:
    explicit QuaZipReading(const QString &path) : m_zip(path) {}
    ~QuaZipReading() override
    {
        closePart();
        m_zip.close();
    }

    bool open() { return m_zip.open(QuaZip::mdUnzip); }

    bool select(const QString &name, Match match) override
    {
        closePart();
        return m_zip.setCurrentFile(name, match == Match::AnyCase ? QuaZip::csInsensitive
                                                                  : QuaZip::csSensitive);
    }
    QString currentName() const override { return m_zip.getCurrentFileName(); }
    bool currentSizes(quint64 &stored, quint64 &inflated) const override
    {
        QuaZipFileInfo64 info;
        if (!m_zip.getCurrentFileInfo(&info))
            return false;
        stored = info.compressedSize;
        inflated = info.uncompressedSize;
        return true;
    }
    QIODevice *openPart() override
    {
        closePart();
        m_part = std::make_unique<QuaZipFile>(&m_zip);
        if (!m_part->open(QIODevice::ReadOnly)) {
            m_part.reset();
            return nullptr;
        }
        return m_part.get();
    }
    void closePart() override
    {
        if (!m_part)
            return;
        m_part->close();
        m_part.reset();
    }

private:
    mutable QuaZip m_zip;
    std::unique_ptr<QuaZipFile> m_part;
};

class QuaZipWriting : public ZipWriting
{
public:
    explicit QuaZipWriting(QIODevice &out) : m_zip(&out)
    {
        // The device is the caller's: the archive must neither close nor commit it.
        m_zip.setAutoClose(false);
    }
    ~QuaZipWriting() override
    {
        m_part.reset();
        if (m_zip.isOpen())
            m_zip.close();
    }

    bool open() { return m_zip.open(QuaZip::mdCreate); }

    QIODevice *beginPart(const QString &name, bool stored, int level, int &error) override
    {
        m_part = std::make_unique<QuaZipFile>(&m_zip);
        if (!m_part->open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0,
                          stored ? 0 : Z_DEFLATED, stored ? 0 : level)) {
            error = m_part->getZipError();
            return nullptr;
        }
        return m_part.get();
    }
    int endPart() override
    {
        if (!m_part)
            return 0;
        m_part->close();
        const int error = m_part->getZipError();
        m_part.reset();
        return error;
    }
    int finish() override
    {
        m_zip.close();
        return m_zip.getZipError();
    }
    bool isOpen() const override { return m_zip.isOpen(); }

private:
    QuaZip m_zip;
    std::unique_ptr<QuaZipFile> m_part;
};

class QuaZipLibrary : public ZipLibrary
{
public:
    std::unique_ptr<ZipReading> read(const QString &path) override
    {
        auto archive = std::make_unique<QuaZipReading>(path);
        if (!archive->open())
            return nullptr;
        return archive;
    }
    std::unique_ptr<ZipWriting> write(QIODevice &out) override
    {
        auto archive = std::make_unique<QuaZipWriting>(out);
        if (!archive->open())
            return nullptr;
        return archive;
    }
};

} // namespace

LEXMORA_MODULE_ENTRY(ZipLibrary, QuaZipLibrary)
