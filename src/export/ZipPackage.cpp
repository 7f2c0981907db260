#include "ZipPackage.h"

#include "ChunkedSink.h"
#include "ExportError.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

ZipPackage::ZipPackage(QIODevice &out) : m_zip(std::make_unique<QuaZip>(&out))
{
    // The file is the caller's: QuaZip must neither close nor commit it.
    m_zip->setAutoClose(false);
    if (!m_zip->open(QuaZip::mdCreate))
        throw ExportError(QStringLiteral("The file cannot be written: %1").arg(out.errorString()));
}

ZipPackage::~ZipPackage()
{
    m_sink.reset();
    m_part.reset();
    if (m_zip->isOpen())
        m_zip->close();
}

QIODevice &ZipPackage::beginPart(const QString &name, bool stored)
{
    endPart();
    QuaZipNewInfo info(name);
    m_part = std::make_unique<QuaZipFile>(m_zip.get());
    const int method = stored ? 0 : Z_DEFLATED;
    // Fast deflating: a word list packs well at any level, and the export stays quick.
    const int level = stored ? 0 : 1;
    if (!m_part->open(QIODevice::WriteOnly, info, nullptr, 0, method, level))
        fail(QStringLiteral("the part %1 cannot be started (%2)")
                 .arg(name)
                 .arg(m_part->getZipError()));
    m_sink = std::make_unique<ChunkedSink>(*m_part);
    return *m_sink;
}

void ZipPackage::writePart(const QString &name, const QByteArray &bytes, bool stored)
{
    beginPart(name, stored).write(bytes);
}

void ZipPackage::endPart()
{
    if (!m_part)
        return;
    if (!m_sink->flushToTarget())
        fail(m_sink->failure());
    m_sink.reset();
    m_part->close();
    if (m_part->getZipError() != 0)
        fail(QStringLiteral("a part could not be finished (%1)").arg(m_part->getZipError()));
    m_part.reset();
}

void ZipPackage::finish()
{
    endPart();
    m_zip->close();
    if (m_zip->getZipError() != 0)
        fail(QStringLiteral("the archive could not be finished (%1)").arg(m_zip->getZipError()));
}

void ZipPackage::fail(const QString &why)
{
    if (m_failure.isEmpty())
        m_failure = why;
}

QString ZipPackage::failure() const
{
    if (!m_failure.isEmpty())
        return m_failure;
    return m_sink && m_sink->failed() ? m_sink->failure() : QString();
}
