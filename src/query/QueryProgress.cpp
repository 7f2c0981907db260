#include "QueryProgress.h"

#include "Titles.h"
#include "WindowOwner.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace {

constexpr int PaintEveryMs = 50;
const QString &Title = Titles::Wordbrawl;

QString rowsText(qint64 rows)
{
    return QStringLiteral("Running the query... %1 rows read so far.\n"
                          "Press Cancel to stop it; nothing will be changed.")
        .arg(QLocale().toString(rows));
}

} // namespace

QueryProgress &QueryProgress::install()
{
    static QueryProgress watch;
    Snapshot::setWatch(&watch);
    return watch;
}

void QueryProgress::begin()
{
    m_cancelled = false;
    m_running.start();
    m_lastPaint.invalidate();
}

bool QueryProgress::keepGoing(qint64 rowsRead)
{
    if (m_cancelled)
        return false;
    if (!m_running.isValid() || m_running.elapsed() < m_delayMs)
        return true;
    if (!m_dialog)
        showDialog();
    if (!m_lastPaint.isValid() || m_lastPaint.elapsed() >= PaintEveryMs) {
        m_dialog->setLabelText(rowsText(rowsRead));
        m_lastPaint.start();
        // The box is modal: only its Cancel button and the painting get through.
        QCoreApplication::processEvents(QEventLoop::AllEvents, PaintEveryMs);
    }
    return !m_cancelled;
}

void QueryProgress::end()
{
    m_running.invalidate();
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
    }
    m_dialog = nullptr;
}

void QueryProgress::showDialog()
{
    m_dialog = new QProgressDialog(rowsText(0), QStringLiteral("Cancel"), 0, 0);
    m_dialog->setObjectName(QStringLiteral("QueryProgress"));
    m_dialog->setWindowTitle(Title);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    QObject::connect(m_dialog, &QProgressDialog::canceled, m_dialog, [this] { m_cancelled = true; });
    // A window of its own above the window the query runs from.
    WindowOwner::keepAbove(m_dialog, WindowOwner::forNewBox());
    m_dialog->show();
}
