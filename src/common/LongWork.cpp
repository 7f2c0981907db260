#include "LongWork.h"

#include "Titles.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace {

const QString &BoxTitle = Titles::Wordbrawl;

int showAfterOverride = -1;
LongWork *innermost = nullptr;

// Before the box is up, the user's clicks and keys wait: the work must not be started a
// second time from under itself. Once the box is up it is modal and takes them.
QEventLoop::ProcessEventsFlags pumpFlags(bool boxShown)
{
    return boxShown ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
}

} // namespace

LongWork::LongWork(QWidget *owner, const QString &label)
    : m_owner(owner), m_label(label), m_outer(innermost)
{
    innermost = this;
    m_running.start();
    m_sincePump.start();
}

int LongWork::showAfter() const
{
    if (showAfterOverride >= 0)
        return showAfterOverride;
    return m_showAfterMs >= 0 ? m_showAfterMs : ShowAfterMs;
}

LongWork::~LongWork()
{
    innermost = m_outer;
    if (m_dialog) {
        m_dialog->hide();
        delete m_dialog.data();
        QGuiApplication::restoreOverrideCursor();
    }
}

bool LongWork::tick()
{
    if (!m_cancelled && m_sincePump.elapsed() >= PumpEveryMs)
        pump();
    return !m_cancelled;
}

bool LongWork::tickNow()
{
    if (!m_cancelled)
        pump();
    return !m_cancelled;
}

bool LongWork::tick(qint64 done, qint64 total)
{
    m_done = done;
    m_total = total;
    return tick();
}

void LongWork::setLabel(const QString &label)
{
    if (label == m_label)
        return;
    m_label = label;
    m_labelChanged = true;
}

void LongWork::onCancel(std::function<void()> interrupt)
{
    m_interrupt = std::move(interrupt);
}

void LongWork::setCancellable(bool cancellable)
{
    m_cancellable = cancellable;
    if (m_dialog)
        m_dialog->setCancelButtonText(cancellable ? QStringLiteral("Cancel") : QString());
}

void LongWork::pump()
{
    if (!m_dialog && m_running.elapsed() >= showAfter())
        showDialog();
    if (m_dialog && m_dialog->wasCanceled())
        cancel(); // closed with Escape or the window's own close button
    if (m_dialog && m_labelChanged)
        m_dialog->setLabelText(m_label);
    m_labelChanged = false;
    if (m_dialog && m_total > 0) {
        m_dialog->setMaximum(int(std::min<qint64>(m_total, INT_MAX)));
        m_dialog->setValue(int(std::clamp<qint64>(m_done, 0, m_dialog->maximum())));
    }
    QCoreApplication::processEvents(pumpFlags(m_dialog != nullptr), PumpEveryMs / 2);
    m_sincePump.start();
}

void LongWork::showDialog()
{
    // No widget parent: a window made inside a disabled one would be disabled with it.
    // The box is kept above its owner by the window manager instead.
    auto *box = new QProgressDialog(m_label, QString(), 0, 0, nullptr);
    box->setObjectName(QStringLiteral("LongWork"));
    box->setWindowTitle(BoxTitle);
    box->setWindowModality(Qt::ApplicationModal);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    if (m_cancellable)
        box->setCancelButtonText(QStringLiteral("Cancel"));
    QObject::connect(box, &QProgressDialog::canceled, box, [this] { cancel(); });
    // Without an owner in view, the box goes with the window the user is working in.
    const bool ownerShown = m_owner && m_owner->window()->isVisible();
    WindowOwner::keepAbove(box, ownerShown ? m_owner.data() : WindowOwner::forNewBox());
    m_dialog = box;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    box->show();
}

void LongWork::cancel()
{
    if (!m_cancellable || m_cancelled)
        return;
    m_cancelled = true;
    if (m_interrupt)
        m_interrupt();
}

void LongWork::runUntil(QEventLoop &loop, const bool &arrived)
{
    const int wait = showAfter() - int(m_running.elapsed());
    if (!m_dialog && wait > 0) {
        QTimer show;
        show.setSingleShot(true);
        QObject::connect(&show, &QTimer::timeout, &loop, &QEventLoop::quit);
        show.start(wait);
        loop.exec(pumpFlags(false));
        if (arrived)
            return;
    }
    if (!m_dialog)
        showDialog();
    const auto stop = QObject::connect(m_dialog, &QProgressDialog::canceled, &loop, [&] {
        if (m_cancelled)
            loop.quit();
    });
    if (!m_cancelled)
        loop.exec(pumpFlags(true));
    QObject::disconnect(stop);
}

QProgressDialog *LongWork::currentDialog()
{
    return innermost ? innermost->m_dialog.data() : nullptr;
}

void LongWork::setShowAfterForTests(int ms)
{
    showAfterOverride = ms;
}
