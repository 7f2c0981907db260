#include "Form2.h"

#include "Backups.h"
#include "CollectionSwitch.h"
#include "Dialogs.h"
#include "ExclusiveWork.h"
#include "HoverLooks.h"
#include "LongWork.h"
#include "Looks.h"
#include "MainWindowPort.h"
#include "RestoreTexts.h"
#include "SelectorTexts.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace SelectorTexts;
using Looks::make;
using Looks::place;

namespace {

const QColor Background(224, 224, 224);
const QColor ActionNormal(128, 128, 255), ActionHover(192, 192, 255);
const QColor ChoiceNormal(0, 192, 192), ChoiceHover(192, 255, 255);

constexpr double ClientWidth = 5760;
constexpr double ClientHeight = 5025;

} // namespace

Form2::Form2(MainWindowPort &main, WordDatabase &db)
    : QWidget(nullptr), m_loan(main), m_db(db), m_manager(db), m_looks(new HoverLooks(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();

    // Only the user's own picks and typing count as a change; the window's own refills of
    // the list do not.
    connect(Combo1, &QComboBox::textActivated, this, &Form2::combo1Change);
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, &Form2::combo1Change);
    connect(Command1, &QPushButton::clicked, this, &Form2::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::command2Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::command3Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::command4Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::command5Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::command6Click);
}

Form2::~Form2()
{
    // However the window goes, the Main window must not stay disabled behind it.
    returnToMain();
}

void Form2::buildControls()
{
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    QPalette back = palette();
    back.setColor(QPalette::Window, Background);
    setPalette(back);
    setAutoFillBackground(true);

    Combo1 = make<QComboBox>(this, "Combo1");
    Combo1->setEditable(true);
    // The text is the user's own: nothing is completed for them and Enter adds no item.
    Combo1->setCompleter(nullptr);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(Looks::caption(11));
    place(Combo1, 240, 240, 5280, 345);

    const auto label = [this](const char *name, double top, double height) {
        auto *l = make<QLabel>(this, name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(Looks::caption(11));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 128));
        l->setPalette(p);
        place(l, 240, top, 5280, height);
        return l;
    };
    Label1 = label("Label1", 705, 780);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = label("Label2", 1545, 315);
    Label3 = label("Label3", 1875, 315);
    Label4 = label("Label4", 2205, 315);
    Label5 = label("Label5", 2535, 315);
    Label5->setFont(Looks::caption(11, QFont::Bold));

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    place(rule, 240, 2925, 5280, 30);

    const auto button = [this](const char *name, const QString &caption, const QString &tip) {
        auto *b = make<QPushButton>(this, name, caption);
        b->setToolTip(tip);
        b->setAutoFillBackground(true);
        // A button passes the mouse moves it does not use on to the window, which would
        // count them as moves over the background and undo the hover look at once.
        b->setAttribute(Qt::WA_NoMousePropagation);
        return b;
    };
    Command5 = button("Command5", QStringLiteral("Select"),
                      QStringLiteral("Uses the selected collection temporarily"));
    place(Command5, 240, 3060, 2580, 495);
    Command4 = button("Command4", QStringLiteral("Cancel"), QString());
    place(Command4, 2940, 3060, 2580, 495);
    Command1 = button("Command1", QStringLiteral("Make Default"),
                      QStringLiteral("You start Lexmora! with this collection"));
    place(Command1, 240, 3675, 1680, 495);
    Command2 = button("Command2", QStringLiteral("Delete content"),
                      QStringLiteral("Deleted all words in the chosen collection"));
    place(Command2, 2040, 3675, 1680, 495);
    Command3 =
        button("Command3", QStringLiteral("Rename"), QStringLiteral("Renames the collection"));
    place(Command3, 3840, 3675, 1680, 495);

    // A row of its own under the others.
    Command6 = button("Command6", RestoreTexts::Caption, RestoreTexts::ToolTip);
    place(Command6, 240, 4290, 5280, 495);

    for (QPushButton *b : {Command1, Command2, Command3, Command6})
        m_looks->add(b, ActionNormal, ActionHover);
    for (QPushButton *b : {Command5, Command4})
        m_looks->add(b, ChoiceNormal, ChoiceHover);
    m_looks->resetOver(this);
    m_looks->resetOver(Label5);
    // The other labels and the list are not background: moves over them change nothing.
    for (QWidget *w : std::initializer_list<QWidget *>{Combo1, Label1, Label2, Label3, Label4})
        w->setAttribute(Qt::WA_NoMousePropagation);
}

QString Form2::chosenName() const
{
    return Combo1->currentText();
}

void Form2::load()
{
    m_loan.take(this, MainWindowLoan::Away::Disabled);
    show();
    Label1->setText(DatabasePath + m_db.path());
    Label1->setToolTip(m_db.path());
    clearSummary();
    refillList();
}

void Form2::fillList(const CollectionManager::Listing &listing)
{
    const QSignalBlocker quiet(Combo1);
    const QSignalBlocker quietText(Combo1->lineEdit());
    Combo1->clear();
    Combo1->addItems(listing.names);
    const int shown = listing.names.indexOf(listing.shownName);
    Combo1->setCurrentIndex(shown);
    Combo1->setEditText(listing.shownName);
}

void Form2::refillList()
{
    CollectionManager::Listing listing;
    try {
        listing = m_manager.listing();
    } catch (const StoreError &e) {
        report(e.message());
    }
    fillList(listing);
    refreshSummary();
}

void Form2::clearSummary()
{
    for (QLabel *l : {Label2, Label3, Label4, Label5})
        l->setText(QString());
}

void Form2::report(const QString &text)
{
    Dialogs::current().message(text, Title);
}

int Form2::nameCheck()
{
    int position = 0;
    try {
        position = m_manager.position(chosenName());
    } catch (const StoreError &e) {
        report(e.message());
        return 0;
    }
    if (position == 0)
        report(ImproperChoice);
    return position;
}

void Form2::refreshSummary()
{
    Label2->setText(QString());
    Label3->setText(QString());
    Label4->setText(QString());
    Label5->setText(NotDefaultTable);
    const int position = nameCheck();
    if (position == 0)
        return;
    CollectionSummary s;
    try {
        s = m_manager.summary(position);
    } catch (const StoreError &e) {
        report(e.message());
        return;
    }
    if (s.isDefault)
        Label5->setText(DefaultTable);
    Label2->setText(NumberOfRecords + QString::number(s.count));
    // An empty collection has no first or last word: both labels stay empty.
    if (s.hasWords) {
        Label3->setText(StartingWord + s.firstWord);
        Label4->setText(EndingWord + s.lastWord);
    }
}

void Form2::combo1Change()
{
    refreshSummary();
}

void Form2::command1Click()
{
    clearSummary();
    const int position = nameCheck();
    if (position == 0)
        return;
    try {
        m_manager.makeDefault(position);
    } catch (const StoreError &e) {
        report(e.message());
    }
    refillList();
}

void Form2::command2Click()
{
    const QString name = chosenName();
    if (!Dialogs::current().question(askEmpty(name), Title))
        return;
    clearSummary();
    const int position = nameCheck();
    if (position == 0)
        return;
    ExclusiveWork::begin();
    LongWork work(this, QStringLiteral("Deleting the words of %1...").arg(name));
    try {
        bool declined = false; // no copy, and the user would not go on without one
        const auto deleted = m_manager.deleteContent(
            position,
            [&declined](const QString &why) {
                declined =
                    !Dialogs::current().questionDefaultNo(Backups::withoutCopyQuestion(why), Title);
                return !declined;
            },
            [&work](qint64 done, qint64 total) { return work.tick(done, total); });
        if (deleted)
            report(emptied(name));
        else if (!declined)
            report(emptyingStopped(name));
    } catch (const StoreError &e) {
        report(e.message());
    }
    refillList();
}

void Form2::command3Click()
{
    clearSummary();
    const int position = nameCheck();
    if (position == 0)
        return;
    const QString name = chosenName();
    const QString newName = Dialogs::current().input(askNewName(name), RenameTitle, QString());
    if (newName.isEmpty()) {
        report(EnterSomething);
        refillList();
        return;
    }
    try {
        m_manager.rename(position, newName);
        report(Renamed);
    } catch (const StoreError &e) {
        report(e.message());
    }
    refillList();
}

void Form2::command4Click()
{
    close();
}

void Form2::command5Click()
{
    clearSummary();
    const int position = nameCheck();
    if (position == 0) {
        close();
        return;
    }
    const QString name = chosenName();
    ExclusiveWork::begin();
    try {
        const CollectionSwitch::Report r = m_manager.select(position);
        if (MainWindowPort *main = m_loan.port())
            for (const QString &piece : CollectionSwitch::statusPieces(name, r, m_db.path()))
                main->appendStatusText(piece);
    } catch (const StoreError &e) {
        // The program stays on its collection, and the user may choose another.
        report(e.message());
        refillList();
        return;
    }
    refillList();
    close();
}

void Form2::command6Click()
{
    using namespace RestoreTexts;
    const QList<Restore::Copy> copies = Restore::copies(m_db.path());
    if (copies.isEmpty()) {
        report(NoCopies);
        return;
    }
    QStringList items;
    for (const Restore::Copy &copy : copies)
        items << item(copy);
    const int chosen = Dialogs::current().choice(ChoicePrompt, ChoiceTitle, items);
    if (chosen < 0)
        return;
    const Restore::Copy &copy = copies[chosen];
    // A copy that cannot be read goes straight to the restore, which says why it refuses it.
    if (copy.problem.isEmpty() && !Dialogs::current().question(askRestore(copy), Title))
        return;
    clearSummary();
    try {
        Restore::Result result;
        {
            LongWork work(this, working(copy));
            result = m_manager.restore(
                copy.file,
                [](const QString &why) {
                    return Dialogs::current().questionDefaultNo(Backups::withoutCopyQuestion(why),
                                                                Title);
                },
                [&work](qint64 done, qint64 total) { return work.tick(done, total); });
        }
        switch (result.kind) {
        case Restore::Result::Kind::Restored:
            if (MainWindowPort *main = m_loan.port())
                main->appendStatusText(restoredStatus(copy));
            report(restored(copy, result));
            break;
        case Restore::Result::Kind::Stopped:
            report(Stopped);
            break;
        case Restore::Result::Kind::NoCopyBefore:
            report(NoCopyBefore);
            break;
        }
    } catch (const StoreError &e) {
        report(e.message());
    }
    refillList();
}

void Form2::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        returnToMain();
}

void Form2::returnToMain()
{
    if (!m_loan.held())
        return;
    hide();
    m_loan.giveBack();
}
