#include "ZipPackage.h"

#include "ChunkedSink.h"
#include "ExportError.h"
#include "ZipArchive.h"

namespace {

// Fast deflating: a word list packs well at any level, and the export stays quick.
constexpr int Level = 1;

} // namespace

ZipPackage::ZipPackage(QIODevice &out)
{
    QString whyNot;
    ZipLibrary *zip = ZipLibrary::instance(&whyNot);
    if (!zip)
        throw ExportError(QStringLiteral("The file cannot be written: %1").arg(whyNot));
    m_zip = zip->write(out);
    if (!m_zip)
        throw ExportError(QStringLiteral("The file cannot be written: %1").arg(out.errorString()));
}

ZipPackage::~ZipPackage()
{
    m_sink.reset();
}

QIODevice &ZipPackage::beginPart(const QString &name, bool stored)
{
    endPart();
    int error = 0;
    QIODevice *part = m_zip->beginPart(name, stored, Level, error);
    if (!part)
        throw ExportError(QStringLiteral("The file cannot be written: the part %1 cannot be "
                                         "started (%2).")
                              .arg(name)
                              .arg(error));
    m_sink = std::make_unique<ChunkedSink>(*part);
    return *m_sink;
}

void ZipPackage::writePart(const QString &name, const QByteArray &bytes, bool stored)
{
    beginPart(name, stored).write(bytes);
}

void ZipPackage::endPart()
{
    if (!m_sink)
        return;
    if (!m_sink->flushToTarget())
        fail(m_sink->failure());
    m_sink.reset();
    if (const int error = m_zip->endPart())
        fail(QStringLiteral("a part could not be finished (%1)").arg(error));
}

void ZipPackage::finish()
{
    endPart();
    if (const int error = m_zip->finish())
        fail(QStringLiteral("the archive could not be finished (%1)").arg(error));
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
