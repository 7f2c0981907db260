#include "PlainToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

PlainToolTips::PlainToolTips(QObject *parent) : QObject(parent) {}

void PlainToolTips::install()
{
    static QPointer<PlainToolTips> installed;
    if (installed || !qApp)
        return;
    installed = new PlainToolTips(qApp);
    qApp->installEventFilter(installed);
}

QString PlainToolTips::asRichText(const QString &text)
{
    // The tooltip decides on rich text by looking for tags; an escaped text in a paragraph
    // that keeps its white space shows the characters themselves.
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

bool PlainToolTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    const QString tip = widget->toolTip();
    // Widgets without a tip of their own (item views show their entries' tips) go on as usual.
    if (tip.isEmpty())
        return QObject::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), asRichText(tip), widget, QRect(),
                       widget->toolTipDuration());
    return true;
}
