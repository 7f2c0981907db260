#include "WordChooser.h"

#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTimer>

namespace {

// A list view that need not measure 100,000 items one by one.
void uniformRows(QAbstractItemView *view)
{
    if (auto *list = qobject_cast<QListView *>(view))
        list->setUniformItemSizes(true);
}

} // namespace

WordChooser::WordChooser(QComboBox *combo, QObject *parent)
    : QObject(parent), m_combo(combo), m_model(new QStringListModel(this))
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

    auto *completer = new QCompleter(m_model, m_combo);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchStartsWith);
    completer->setMaxVisibleItems(15);
    m_combo->setCompleter(completer);
    uniformRows(completer->popup());
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

void WordChooser::fill(const QStringList &words)
{
    // The combo box moves its text about while its model changes; none of that is a choice.
    const QSignalBlocker quiet(m_combo);
    m_model->setStringList(words);
}

int WordChooser::removeAll(const QString &word)
{
    const QSignalBlocker quiet(m_combo);
    const QStringList list = m_model->stringList();
    int removed = 0;
    for (qsizetype row = list.size() - 1; row >= 0; --row) {
        if (list[row] == word) {
            m_model->removeRows(int(row), 1);
            ++removed;
        }
    }
    return removed;
}

QStringList WordChooser::words() const
{
    return m_model->stringList();
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
