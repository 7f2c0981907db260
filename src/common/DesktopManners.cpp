#include "DesktopManners.h"

#include "ScreenFit.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>

namespace {

const char *const PlacedProperty = "lexmoraPlaced";

bool isEnter(const QKeyEvent *key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    return enter && !key->isAutoRepeat()
           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Controls that show no caption of their own.
bool captionless(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QAbstractSlider *>(w)
           || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QProgressBar *>(w)
           || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w);
}

QString asName(QString caption)
{
    caption.remove(QLatin1Char('&'));
    caption = caption.simplified();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

QScreen *mainWindowScreen()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form1") && w->isVisible())
            return w->screen();
    return QGuiApplication::primaryScreen();
}

void placeOnMainScreen(QWidget *window)
{
    if (window->property(PlacedProperty).toBool())
        return;
    window->setProperty(PlacedProperty, true);
    // Windows that place themselves, and dialogs (Qt centres them on their parent), stay.
    if (window->testAttribute(Qt::WA_Moved) || qobject_cast<QDialog *>(window))
        return;
    QSize frame = window->frameGeometry().size() - window->size();
    if (frame.width() <= 0 && frame.height() <= 0)
        frame = QSize(ScreenFit::FrameWidth, ScreenFit::FrameHeight);
    if (QScreen *screen = mainWindowScreen())
        window->move(ScreenFit::centredTopLeft(window->size(), screen->availableGeometry(), frame));
}

} // namespace

DesktopManners::DesktopManners(QObject *parent) : QObject(parent) {}

void DesktopManners::install()
{
    auto *app = QCoreApplication::instance();
    if (!app || app->findChild<DesktopManners *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new DesktopManners(app));
}

QString DesktopManners::nameFromSurroundings(const QWidget *control)
{
    // Only captions count ("Word:", "Starting word :"), and only close by: a label showing
    // data, or one across the window, says nothing about the control.
    const QWidget *parent = control->parentWidget();
    const QRect at = control->geometry();
    const int reach = std::max(at.height(), 24);
    const QLabel *beside = nullptr;
    const QLabel *above = nullptr;
    if (parent) {
        for (const QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (label->isHidden() || !label->text().trimmed().endsWith(QLatin1Char(':')))
                continue;
            const QRect l = label->geometry();
            const bool sameRow = l.top() < at.bottom() && l.bottom() > at.top();
            const bool sameColumn = l.left() < at.right() && l.right() > at.left();
            if (sameRow && l.right() <= at.left() + 4 && at.left() - l.right() <= 2 * reach
                && (!beside || l.right() > beside->geometry().right()))
                beside = label;
            else if (sameColumn && l.bottom() <= at.top() + 4 && at.top() - l.bottom() <= reach / 2
                     && (!above || l.bottom() > above->geometry().bottom()))
                above = label;
        }
    }
    if (beside)
        return asName(beside->text());
    if (above)
        return asName(above->text());
    if (!control->toolTip().trimmed().isEmpty())
        return asName(control->toolTip());
    // Else the frame it sits in.
    for (const QWidget *w = parent; w && !w->isWindow(); w = w->parentWidget())
        if (const auto *frame = qobject_cast<const QGroupBox *>(w); frame && !frame->title().isEmpty())
            return asName(frame->title());
    return {};
}

bool DesktopManners::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (auto *button = qobject_cast<QPushButton *>(widget);
            button && isEnter(static_cast<QKeyEvent *>(event))) {
            if (button->isEnabled() && button->isVisible())
                button->click();
            return true;
        }
        break;
    case QEvent::Polish:
        if (!widget->isWindow() && widget->accessibleName().isEmpty() && captionless(widget)) {
            const QString name = nameFromSurroundings(widget);
            if (!name.isEmpty())
                widget->setAccessibleName(name);
        }
        break;
    case QEvent::Show:
        // Secondary windows are dialog-type windows kept above the Main window.
        if (widget->isWindow() &&
            (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog))
            placeOnMainScreen(widget);
        break;
    default:
        break;
    }
    return false;
}
