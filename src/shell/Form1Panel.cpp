// The control panel: cover and lock, Status flash, hover looks and popup help.
#include "Form1.h"

#include "CoverShield.h"
#include "HoverLooks.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "PopupHelp.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString Shutting = QStringLiteral(" I'll shut the Control Panel shortly");
const QString WordPanelClosing = QStringLiteral(
    " Closing the panel! Click on 'Close' or move your mouse over the lock to activate it!");
const QString Opening = QStringLiteral(" Opening the Control Panel");
const QString Shut = QStringLiteral(
    " I have shut the Control Panel. Please navigate the mouse pointer over the lock to "
    "activate it!");

// The mouse and keys on the cover and the Lock, handed to the Main window's handlers.
class CoverEvents : public QObject
{
public:
    CoverEvents(Form1 &form) : QObject(&form), m_form(form)
    {
        m_form.Picture4->installEventFilter(this);
        m_form.Picture5->installEventFilter(this);
        m_form.Picture5->setMouseTracking(true);
        // A press on the Lock is the Lock's own; it must not reach the cover around it.
        m_form.Picture5->setAttribute(Qt::WA_NoMousePropagation);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_form.Picture4)
            return coverEvent(event);
        if (watched == m_form.Picture5)
            return lockEvent(event);
        return QObject::eventFilter(watched, event);
    }

private:
    bool coverEvent(QEvent *event)
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            // The second press of a double click comes with the double click event, which
            // stands in for it: one line, and no click after it.
            const auto *press = static_cast<QMouseEvent *>(event);
            const bool secondOfDouble = press->flags() & Qt::MouseEventCreatedDoubleClick;
            if (!secondOfDouble)
                m_form.picture4Nudge();
            m_pressed = !secondOfDouble && press->button() == Qt::LeftButton;
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto *release = static_cast<QMouseEvent *>(event);
            const bool click = m_pressed && release->button() == Qt::LeftButton &&
                               m_form.Picture4->rect().contains(release->position().toPoint());
            m_pressed = false;
            if (click)
                m_form.picture4Click();
            return true;
        }
        case QEvent::MouseButtonDblClick:
            m_pressed = false;
            m_form.picture4Nudge();
            return true;
        case QEvent::KeyPress: {
            // A key that types something; Tab still takes the focus on.
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->text().isEmpty() && key->key() != Qt::Key_Tab &&
                key->key() != Qt::Key_Backtab)
                m_form.picture4Nudge();
            return false;
        }
        default:
            return false;
        }
    }

    bool lockEvent(QEvent *event)
    {
        switch (event->type()) {
        case QEvent::MouseMove:
            m_form.picture5MouseMove();
            return false;
        case QEvent::MouseButtonRelease:
            m_form.picture5MouseUp();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true; // the Lock does nothing on a press
        default:
            return false;
        }
    }

    Form1 &m_form;
    bool m_pressed = false;
};

} // namespace

void Form1::wirePanel()
{
    connect(Command20, &QPushButton::clicked, this, &Form1::command20Click);
    connect(Timer4, &SwitchTimer::tick, this, &Form1::timer4Tick);
    connect(Timer5, &SwitchTimer::tick, this, &Form1::timer5Tick);
    connect(Timer6, &SwitchTimer::tick, this, &Form1::timer6Tick);
    new CoverEvents(*this);
    m_coverShield = new CoverShield(Picture2, Picture4, this);
    wirePopupHelp();
}

void Form1::buildPanelLooks()
{
    // The buttons' two looks; the normal look is also each button's design colour. They are
    // added in the order the Highlight reset goes through them.
    const QColor green(0, 192, 0), lightGreen(192, 255, 192);
    const QColor red(192, 0, 0), lightRed(255, 192, 192);
    const QColor teal(0, 192, 192), lightTeal(192, 255, 255);
    const QColor olive(192, 192, 0), lightOlive(255, 255, 192);
    const QColor orange(255, 128, 0), lightOrange(255, 192, 128), paleOrange(255, 224, 192);
    const QList<std::tuple<QPushButton *, QColor, QColor>> buttons{
        {Command1, green, lightGreen},    {Command16, QColor(192, 64, 0), paleOrange},
        {Command17, olive, lightOlive},   {Command9, orange, lightOrange},
        {Command10, orange, lightOrange}, {Command18, orange, paleOrange},
        {Command11, orange, lightOrange}, {Command12, orange, lightOrange},
        {Command5, green, lightGreen},    {Command6, red, lightRed},
        {Command7, teal, lightTeal},      {Command2, green, lightGreen},
        {Command13, green, lightGreen},   {Command3, red, lightRed},
        {Command4, teal, lightTeal},      {Command8, olive, lightOlive},
        {Command15, olive, lightOlive},   {Command14, olive, lightOlive},
        {Command20, olive, lightOlive}};
    for (const auto &[button, normal, hover] : buttons)
        m_looks->add(button, normal, hover);
    m_looks->addList(List1, QColor(192, 192, 192), QColor(255, 255, 255));

    // Crossing a frame or a pane gives List1 and every lit button its normal look back; the
    // bare window only the buttons of the panel's first rows.
    for (QWidget *area : std::initializer_list<QWidget *>{Frame1, Frame2, Frame3, Frame4, Frame5,
                                                          Picture1, Picture2})
        m_looks->resetOver(area);
    m_looks->resetOver(this,
                       {Command2, Command3, Command4, Command5, Command6, Command7, Command8});
}

void Form1::wirePopupHelp()
{
    auto *popups = new PopupHelp(this);
    popups->attach(help2, {Frame3, List1, Command9, Command10, Command11, Command12, Command18});
    popups->attach(h3, {Frame2, Command5, Check2});
    popups->attach(h4,
                   {Frame1, Command2, Command3, Command4, Command8, Command14, Command15, Check1});
    for (QMenu *menu : {help2, h3, h4}) {
        for (QAction *item : menu->actions()) {
            const QString name = item->objectName();
            connect(item, &QAction::triggered, this, [this, name] {
                RichTextBox1->appendText(PopupHelp::itemText(name, Module1::currentCollection));
            });
        }
    }
}

void Form1::highlightReset()
{
    m_looks->resetAll();
}

void Form1::requestClose(const QString &message, StatusBox *box)
{
    if (!m_panel.requestClose())
        return;
    box->appendLine(message);
    Picture4->show();
    Timer5->setInterval(1);
}

void Form1::closeRequest()
{
    requestClose(WordPanelClosing, RichTextBox2);
}

void Form1::command20Click()
{
    requestClose(Shutting, RichTextBox1);
}

void Form1::openRequest()
{
    if (!m_panel.requestOpen())
        return;
    RichTextBox1->appendLine(Opening);
    Timer6->setInterval(1);
}

void Form1::picture4Click()
{
    openRequest();
}

void Form1::picture4Nudge()
{
    RichTextBox1->appendLine(Shut);
}

void Form1::picture5MouseMove()
{
    openRequest();
}

void Form1::picture5MouseUp()
{
    RichTextBox1->appendLine(Shut);
}

void Form1::timer5Tick()
{
    Picture4->show();
    Timer4->setInterval(1);
    Timer5->setInterval(0);
    m_panel.closingBegins();
}

void Form1::timer4Tick()
{
    if (m_panel.closingTick()) {
        Timer4->setInterval(0);
        RichTextBox1->appendLine(Shut);
    }
    applyCover();
}

void Form1::timer6Tick()
{
    if (m_panel.openingTick()) {
        Timer6->setInterval(0);
        Picture4->hide();
    }
    applyCover();
}

void Form1::applyCover()
{
    Picture4->resize(Twips::toPixels(m_panel.coverWidth()), Picture4->height());
    if (m_coverShield)
        m_coverShield->follow();
}

void Form1::applyPanes()
{
    Picture1->resize(Twips::toPixels(m_panel.picture1Width()), Picture1->height());
    Picture2->move(Twips::toPixels(m_panel.picture2Left()), Picture2->y());
}
