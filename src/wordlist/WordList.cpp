#include "WordList.h"

#include "Dialogs.h"
#include "EditingTexts.h"
#include "ExclusiveWork.h"
#include "LongWork.h"
#include "Looks.h"
#include "Titles.h"
#include "Twips.h"
#include "WindowOwner.h"
#include "WordListModel.h"
#include "WordTable.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// How often the window looks whether someone else (the word panel, another program)
// changed the file.
constexpr int OutsideCheckMs = 400;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = Looks::make<QPushButton>(parent, name, caption);
    b->setFont(Looks::caption(10));
    b->setAutoDefault(false);
    return b;
}

} // namespace

WordList::WordList(WordDatabase &db, const QString &table, QWidget *mainWindow)
    : m_main(mainWindow), m_model(new WordListModel(db, table, this))
{
    m_model->setProgressOwner(this);
    setObjectName(QStringLiteral("WordList"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Titles::WordList);
    Looks::givePaperBackground(this);
    WindowOwner::keepAbove(this, mainWindow);
    ExclusiveWork::closeWhenBegun(this);

    m_filter = Looks::make<QLineEdit>(this, "Filter");
    m_filter->setFont(Looks::caption(11));
    m_filter->setPlaceholderText(QStringLiteral("Type to show only the words containing it"));
    m_filter->setToolTip(
        QStringLiteral("Shows the words whose word, meaning or pointer contains this text"));
    m_filter->setClearButtonEnabled(true);
    m_count = Looks::make<QLabel>(this, "Count");
    m_count->setFont(Looks::caption(10, QFont::Bold));
    m_count->setMinimumWidth(Twips::toPixels(2800));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_view = Looks::make<WordTable>(this, "Table");
    m_view->setModel(m_model);
    m_view->setFont(Looks::caption(11));
    m_view->horizontalHeader()->setFont(Looks::caption(10, QFont::Bold));
    m_view->verticalHeader()->setFont(Looks::caption(9));
    // Fixed row heights: the view never measures a row it does not show.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(0, Twips::toPixels(2600));
    m_view->setColumnWidth(1, Twips::toPixels(5200));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    connect(m_view, &WordTable::deleteRequested, this, &WordList::deleteSelected);
    connect(m_view, &WordTable::textTyped, this, [this](const QString &text) {
        m_filter->setFocus();
        m_filter->insert(text);
    });

    m_undoButton = button(this, "Undo", QStringLiteral("Undo"));
    m_redoButton = button(this, "Redo", QStringLiteral("Redo"));
    m_deleteButton = button(this, "Delete", QStringLiteral("Delete"));
    m_closeButton = button(this, "Close", QStringLiteral("Close"));
    m_undoButton->setToolTip(QStringLiteral("Undoes the last change made here (Ctrl+Z)"));
    m_redoButton->setToolTip(QStringLiteral("Makes the undone change again (Ctrl+Shift+Z)"));
    m_deleteButton->setToolTip(QStringLiteral("Deletes the selected words (Delete)"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_filter, 1);
    top->addWidget(m_count);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_undoButton);
    bottom->addWidget(m_redoButton);
    bottom->addStretch(1);
    bottom->addWidget(m_deleteButton);
    bottom->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    resize(Twips::toPixels(11400), Twips::toPixels(8400));

    QUndoStack *undo = m_model->undoStack();
    QAction *undoAction = undo->createUndoAction(this);
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redoAction = undo->createRedoAction(this);
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addAction(undoAction);
    addAction(redoAction);
    m_undoButton->setEnabled(false);
    m_redoButton->setEnabled(false);
    connect(undo, &QUndoStack::canUndoChanged, m_undoButton, &QPushButton::setEnabled);
    connect(undo, &QUndoStack::canRedoChanged, m_redoButton, &QPushButton::setEnabled);
    connect(m_undoButton, &QPushButton::clicked, undo, &QUndoStack::undo);
    connect(m_redoButton, &QPushButton::clicked, undo, &QUndoStack::redo);
    connect(m_deleteButton, &QPushButton::clicked, this, &WordList::deleteSelected);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    connect(m_filter, &QLineEdit::textChanged, m_model, &WordListModel::setFilter);
    connect(m_model, &WordListModel::countChanged, this, &WordList::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &WordList::showCount);
    connect(m_model, &WordListModel::wordsChanged, this, &WordList::wordsChanged);
    m_outsideChanges.setInterval(OutsideCheckMs);
    connect(&m_outsideChanges, &QTimer::timeout, m_model, [this] {
        if (!m_view->editing())
            m_model->checkForOutsideChanges();
    });
    m_outsideChanges.start();

    if (mainWindow) {
        mainWindow->installEventFilter(this);
        setEnabled(mainWindow->isEnabled());
    }
    showCount();
    m_view->setFocus();
    if (m_model->rowCount() > 0)
        m_view->setCurrentIndex(m_model->index(0, 0));
}

WordList::~WordList() = default;

void WordList::showCount()
{
    const int shown = m_model->rowCount();
    QString text;
    if (m_model->filter().isEmpty())
        text = shown == 1 ? QStringLiteral("1 word") : QStringLiteral("%L1 words").arg(shown);
    else if (m_model->searching())
        text = QStringLiteral("%L1 found, searching...").arg(shown);
    else
        text = QStringLiteral("%L1 of %L2 words").arg(shown).arg(m_model->totalRows());
    m_count->setText(text);
}

void WordList::deleteSelected()
{
    QList<int> rows;
    for (const QModelIndex &i : m_view->selectionModel()->selectedRows())
        rows.append(i.row());
    if (rows.isEmpty() && m_view->currentIndex().isValid())
        rows.append(m_view->currentIndex().row());
    if (rows.isEmpty())
        return;
    if (rows.size() > WordListModel::MaxDeletedRows) {
        Dialogs::current().message(
            QStringLiteral("Please delete at most %L1 words at a time here; \"Delete all\" "
                           "empties the whole collection.")
                .arg(WordListModel::MaxDeletedRows),
            EditingTexts::Title);
        return;
    }
    if (!Dialogs::current().question(EditingTexts::SureToDelete, EditingTexts::Title))
        return;
    const int current = m_view->currentIndex().row();
    QString failure;
    {
        LongWork work(this, QStringLiteral("Deleting the words..."));
        failure = m_model->deleteRows(rows, [&work, total = rows.size(), done = qint64(0)]() mutable {
            return work.tick(++done, total);
        });
    }
    if (!failure.isEmpty())
        Dialogs::current().message(EditingTexts::notDeleted(failure), EditingTexts::Title);
    const int count = m_model->rowCount();
    if (count > 0)
        m_view->setCurrentIndex(m_model->index(std::min(std::max(current, 0), count - 1), 0));
}

bool WordList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main) {
        // The Main window lent to another window takes this one with it.
        if (event->type() == QEvent::EnabledChange)
            setEnabled(m_main->isEnabled());
        else if (event->type() == QEvent::Close)
            close(); // the program ends with its Main window
        else if (event->type() == QEvent::Hide && isVisible()) {
            m_hiddenWithMain = true;
            hide();
        } else if (event->type() == QEvent::Show && m_hiddenWithMain) {
            m_hiddenWithMain = false;
            show();
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void WordList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
