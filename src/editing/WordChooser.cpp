#include "WordChooser.h"

#include "Skip.h"
#include "ChooserWords.h"
#include "WordPages.h"

#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTimer>

namespace {

// The completion lists this many words at most; the popup shows 15 at a time.
constexpr int MaxMatches = 1000;

// A list view that need not measure 100,000 items one by one.
void uniformRows(QAbstractItemView *view)
{
    if (auto *list = qobject_cast<QListView *>(view))
        list->setUniformItemSizes(true);
}

} // namespace

WordChooser::WordChooser(QComboBox *combo, QObject *parent)
    : QObject(parent), m_combo(combo), m_model(new ChooserWords(this)),
      m_matches(new QStringListModel(this))
{
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert); // typing never adds to the list
    m_combo->setDuplicatesEnabled(true);           // a word stored twice is listed twice
    // The chooser has its design size; measuring every word for a size hint would cost
    // more than the filling itself.
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMaxVisibleItems(15);
    m_combo->setModel(m_model);
    uniformRows(m_combo->view());

    // The completion has a list of its own, asked of the store as the user types. It is
    // the text's completer, not the combo box's: the combo box would look a completion up
    // in the rows read so far and, not finding it there, clear the text.
    auto *completer = new QCompleter(m_matches, m_combo);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchStartsWith);
    completer->setMaxVisibleItems(15);
    m_combo->lineEdit()->setCompleter(completer);
    uniformRows(completer->popup());
    // Typing reaches this before the completer looks for its matches.
    connect(m_combo->lineEdit(), &QLineEdit::textEdited, this, &WordChooser::complete);
    // On Enter and on leaving the field the combo box would look the typed text up in its
    // list ignoring case, as its completer does, and put "Bane" in place of the "bane" typed.
    // Every change of the text is shown already; that look-up is not wanted.
    QObject::disconnect(m_combo->lineEdit(), SIGNAL(editingFinished()), m_combo, nullptr);
    // The popup is a window of its own and would not take the chooser's font.
    completer->popup()->setFont(m_combo->font());
    m_combo->view()->setFont(m_combo->font());

    m_combo->installEventFilter(this);

    connect(m_combo, &QComboBox::editTextChanged, this, &WordChooser::announce);
    // Picking the item whose text is already shown changes nothing, yet is a choice.
    connect(m_combo, &QComboBox::textActivated, this, &WordChooser::announce);
}

bool WordChooser::eventFilter(QObject *watched, QEvent *event)
{
    // The focus arrives at the combo box, which hands it to its text; a click places the
    // caret only after that, so the prompt is selected once the click is done.
    if (watched == m_combo && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        QTimer::singleShot(0, this, &WordChooser::selectPrompt);
    return QObject::eventFilter(watched, event);
}

void WordChooser::selectPrompt()
{
    QLineEdit *text = m_combo->lineEdit();
    if (text && m_combo->hasFocus() && !m_prompt.isEmpty() && text->text() == m_prompt)
        text->selectAll();
}

void WordChooser::announce(const QString &text)
{
    if (!m_quiet)
        emit chosen(text);
}

void WordChooser::fill(WordDatabase *db, const QString &table)
{
    m_db = db;
    m_table = table;
    m_matches->setStringList({});
    // The combo box moves its text about while its model changes; none of that is a choice.
    const QSignalBlocker quiet(m_combo);
    m_model->show(db, table);
}

void WordChooser::forget(const std::vector<qint64> &rowids)
{
    const QSignalBlocker quiet(m_combo);
    m_model->forget(rowids);
}

void WordChooser::complete(const QString &typed)
{
    QStringList matches;
    // Without an answer from the store the completion offers nothing.
    skipOnFailure(lcEditing(), "looking up the words for the completion", [&] {
        if (m_db && !typed.isEmpty())
            matches = WordPages::startingWith(*m_db, m_table, typed, MaxMatches);
    });
    m_matches->setStringList(matches);
}

void WordChooser::showPrompt(const QString &prompt)
{
    m_prompt = prompt;
    m_quiet = true;
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(prompt);
    m_quiet = false;
}

QString WordChooser::text() const
{
    return m_combo->currentText();
}

bool WordChooser::showsPrompt() const
{
    return !m_prompt.isEmpty() && text() == m_prompt;
}
