#include "QueryProgress.h"

#include "LongWork.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QLocale>

namespace {

constexpr int LabelEveryMs = LongWork::PumpEveryMs;

QString rowsText(qint64 rows)
{
    return QStringLiteral("Running the query... %1 rows read so far.\n"
                          "Press Cancel to stop it; nothing will be changed.")
        .arg(QLocale().toString(rows));
}

} // namespace

QueryProgress::QueryProgress() = default;
QueryProgress::~QueryProgress() = default;

QueryProgress &QueryProgress::install()
{
    static QueryProgress watch;
    Snapshot::setWatch(&watch);
    return watch;
}

QProgressDialog *QueryProgress::dialog() const
{
    return m_work ? LongWork::currentDialog() : nullptr;
}

void QueryProgress::begin()
{
    m_work = std::make_unique<LongWork>(WindowOwner::forNewBox(), rowsText(0));
    m_work->setShowAfter(m_delayMs);
    m_sinceLabel.start();
}

bool QueryProgress::keepGoing(qint64 rowsRead)
{
    if (!m_work)
        return true;
    // Asked every thousand steps of the engine: the count is written only when it shows.
    if (m_sinceLabel.elapsed() >= LabelEveryMs) {
        m_work->setLabel(rowsText(rowsRead));
        m_sinceLabel.start();
    }
    return m_work->tick();
}

void QueryProgress::end()
{
    m_work.reset();
}
