#include "WordPanel.h"

#include "Dialogs.h"
#include "EditingTexts.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "Skip.h"
#include "Speaker.h"
#include "StatusBox.h"
#include "TableCursor.h"
#include "WordChooser.h"
#include "WordNormalization.h"
#include "WordRecords.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

using namespace EditingTexts;

namespace {

const QString WordColumn = QStringLiteral("word");
const QString MeaningColumn = QStringLiteral("meaning");
const QString PointerColumn = QStringLiteral("pointer");

// Looked up each time: choosing another collection replaces the record set.
TableCursor *records()
{
    return Module1::words.get();
}

WordDatabase *database()
{
    return Module1::database.get();
}

// Where a scan over every record leaves the record set: past its last record.
void standAtEnd(TableCursor *words)
{
    skipOnFailure(lcEditing(), "moving the record set past its last record", [&] {
        if (words && words->moveLast())
            words->moveNext();
    });
}

// Empty, or nothing but blanks (the space only).
bool blank(const QString &text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

void message(const QString &text)
{
    Dialogs::current().message(text, Title);
}

} // namespace

WordPanel::WordPanel(const Controls &controls, MainWindowPort &main, QObject *parent)
    : QObject(parent), m_c(controls), m_main(main),
      m_chooser(new WordChooser(controls.Combo3, this))
{
    setObjectName(QStringLiteral("WordPanel"));
    connect(m_chooser, &WordChooser::chosen, this, &WordPanel::showChosenWord);
    for (QLineEdit *field : {m_c.Text2, m_c.Text3, m_c.Text4})
        field->installEventFilter(this);
}

bool WordPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A click into a field, or the focus arriving in it, empties it: the user retypes the
    // whole text. The focus coming back with the window (after a message box, say) is not
    // the user going to the field and leaves it alone.
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        field->clear();
    if (field && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason &&
            why != Qt::MenuBarFocusReason && why != Qt::NoFocusReason)
            field->clear();
    }
    return QObject::eventFilter(watched, event);
}

void WordPanel::command24Click()
{
    if (!m_c.speaker)
        return;
    // The word as it stands in the field, typed or chosen; the chooser's prompt is no word.
    const QString word = inAddMode() ? m_c.Text2->text()
                         : m_chooser->showsPrompt() ? QString()
                                                    : m_chooser->text();
    if (!word.trimmed().isEmpty())
        m_c.speaker->say(word.trimmed());
}

bool WordPanel::inAddMode() const
{
    return m_c.Command1->text() == AddCaption;
}

void WordPanel::command9Click()
{
    m_c.Combo3->hide();
    m_c.Text3->clear();
    m_c.Text4->clear();
    m_c.Text2->clear();
    m_main.displayHalt();
    m_main.setControlPanelEnabled(false);
    m_main.closeRequest();
    m_c.Command1->setText(AddCaption);
    m_c.Command16->setText(CloseCaption);
    m_c.Frame5->setTitle(AddTitle);
    m_c.Text2->show();
    m_c.RichTextBox1->hide();
    m_c.RichTextBox2->show();
    m_c.Frame5->show();
    m_c.Text4->setText(NothingToAdd);
}

void WordPanel::command10Click()
{
    m_main.displayHalt();
    m_c.RichTextBox1->hide();
    m_main.setControlPanelEnabled(false);
    m_main.closeRequest();
    m_c.Command1->setText(EditCaption);
    m_c.Text3->clear();
    m_c.Text2->clear();
    m_c.Text4->clear();
    m_c.Text3->setEnabled(false);
    m_c.Text4->setEnabled(false);
    m_c.Frame5->setTitle(ModifyTitle);
    m_c.Text2->hide();
    fillChooser();
    m_chooser->showPrompt(ChooseYourWord);
    m_c.Combo3->show();
    m_c.Frame5->show();
}

void WordPanel::command1Click()
{
    const QString mode = m_c.Command1->text();
    if (mode == AddCaption)
        add();
    else if (mode == EditCaption)
        edit();
    else if (mode == UpdateCaption)
        update();
}

void WordPanel::fillChooser()
{
    // The chooser reads its words as they come into view; a read that fails leaves the
    // list where it stands.
    TableCursor *words = records();
    m_chooser->fill(words ? database() : nullptr, words ? words->table() : QString());
    standAtEnd(words);
}

void WordPanel::add()
{
    if (m_c.Text2->text().isEmpty()) {
        message(EnterWord);
        return;
    }
    if (m_c.Text3->text().isEmpty()) {
        message(EnterMeaning);
        return;
    }
    // The user sees the stored form.
    const QString word = WordNormalization::normalize(m_c.Text2->text());
    m_c.Text2->setText(word);

    TableCursor *words = records();
    if (!words || !database()) {
        message(notAdded(CollectionNotOpen));
        return;
    }
    bool duplicate = false;
    // Looked for in vain, the insertion below reports what is wrong with the store.
    skipOnFailure(lcEditing(), "the look-up of an equal word before Add",
                  [&] { duplicate = WordRecords::contains(*database(), words->table(), word); });
    if (duplicate) {
        // The scan stops on the equal record.
        skipOnFailure(lcEditing(), "moving to the equal word",
                      [&] { words->findFirst(WordColumn, word); });
        message(AlreadyExists);
        return;
    }

    standAtEnd(words);
    const QString meaning = m_c.Text3->text();
    const QString pointer = m_c.Text4->text();
    try {
        words->addNew();
        words->setField(WordColumn, word);
        words->setField(MeaningColumn, meaning);
        words->setField(PointerColumn, pointer);
        words->update();
    } catch (const std::exception &e) {
        words->cancelUpdate();
        message(notAdded(describe(e)));
        return;
    }
    m_c.RichTextBox2->appendText(report(Added, word, meaning, pointer));
}

void WordPanel::showChosenWord(const QString &word)
{
    // While a record is open for change the chooser is disabled; nothing may move the
    // record set away from that record.
    if (m_c.Command1->text() == UpdateCaption)
        return;
    TableCursor *words = records();
    if (!words || !database())
        return;
    skipOnFailure(lcEditing(), "showing the chosen word's meaning and pointer", [&] {
        // With the word stored twice, the later record's texts are the ones left showing.
        for (const WordRecords::Record &r :
             WordRecords::recordsOf(*database(), words->table(), word)) {
            if (!r.meaning.isNull())
                m_c.Text3->setText(r.meaning.toString());
            if (!r.pointer.isNull())
                m_c.Text4->setText(r.pointer.toString());
        }
    });
    standAtEnd(words);
}

void WordPanel::wordsChanged()
{
    // In Add mode the chooser is hidden and filled when Modify mode opens; in Update it is
    // disabled and filled when the record is written.
    if (m_c.Frame5->isHidden() || m_c.Command1->text() != EditCaption)
        return;
    const QString shown = m_chooser->text();
    fillChooser();
    // The chooser reads its words as it shows them: whether the word shown is still
    // there is the store's to say.
    bool stillThere = false;
    if (shown != ChooseYourWord && database() && records())
        skipOnFailure(lcEditing(), "looking up the word shown", [&] {
            stillThere = WordRecords::contains(*database(), records()->table(), shown);
        });
    if (stillThere)
        m_c.Combo3->setEditText(shown);
    else
        m_chooser->showPrompt(ChooseYourWord);
}

void WordPanel::edit()
{
    const QString word = m_chooser->text();
    if (blank(m_c.Text3->text()) || word == ChooseYourWord) {
        message(ChooseFirst);
        return;
    }
    // The first record holding the word is the one opened, also when it is stored twice.
    TableCursor *words = records();
    bool found = false;
    skipOnFailure(lcEditing(), "finding the chosen word for Edit",
                  [&] { found = words && words->findFirst(WordColumn, word); });
    if (!found) {
        message(ChooseFirst); // typed, or no longer stored
        return;
    }
    try {
        words->edit();
    } catch (const std::exception &e) {
        message(notOpened(describe(e)));
        return;
    }
    m_editRecords = words;
    m_editRowid = words->currentRowid();

    m_c.Command1->setText(UpdateCaption);
    m_c.Text3->setEnabled(true);
    m_c.Text4->setEnabled(true);
    m_c.Command17->setEnabled(false);
    m_c.Command16->setEnabled(false);
    // Another word chosen now would leave Update writing a record the user no longer sees.
    m_c.Combo3->setEnabled(false);
}

void WordPanel::update()
{
    TableCursor *words = records();
    if (!words || words != m_editRecords || words->currentRowid() != m_editRowid) {
        message(NoLongerStored);
        finishUpdate(QString(), false);
        return;
    }
    const QString meaning = m_c.Text3->text();
    const QString pointer = m_c.Text4->text();
    try {
        words->setField(WordColumn, m_chooser->text());
        words->setField(MeaningColumn, meaning);
        words->setField(PointerColumn, pointer);
        words->update();
    } catch (const std::exception &e) {
        // The record is as it was and the panel stays in Update: nothing typed is lost.
        message(notSaved(describe(e)));
        return;
    }
    QVariant stored;
    skipOnFailure(lcEditing(), "reading back the updated word",
                  [&] { stored = words->field(WordColumn); });
    if (!stored.isValid()) {
        // Gone from under us (another program deleted it): the write found no record.
        message(NoLongerStored);
        finishUpdate(QString(), false);
        return;
    }
    finishUpdate(stored.toString(), true);
}

void WordPanel::finishUpdate(const QString &reportedWord, bool saved)
{
    m_editRecords = nullptr;
    m_editRowid = 0;
    m_c.Command17->setEnabled(true);
    m_c.Command16->setEnabled(true);
    m_c.Combo3->setEnabled(true);
    m_c.Command1->setText(EditCaption);
    m_c.Text3->setEnabled(false);
    m_c.Text4->setEnabled(false);
    fillChooser();
    m_chooser->showPrompt(ChooseYourWord);
    if (!saved)
        return; // the typed texts stay in view
    m_c.RichTextBox2->appendText(
        report(FinishedEditing, reportedWord, m_c.Text3->text(), m_c.Text4->text()));
    m_c.Text2->clear();
    m_c.Text3->clear();
    m_c.Text4->clear();
}

void WordPanel::command17Click()
{
    const bool addMode = inAddMode();
    // In Add mode the stored form of what was typed; the field itself stays as typed.
    const QString word =
        addMode ? WordNormalization::normalize(m_c.Text2->text()) : m_chooser->text();
    if (!Dialogs::current().question(SureToDelete, Title))
        return;

    QString failure;
    const std::vector<GoneRecord> gone = deleteEvery(word, failure);
    for (const GoneRecord &r : gone) {
        m_c.RichTextBox2->appendText(report(Deleted, r.word, r.meaning, r.pointer));
        m_c.Text2->clear();
        m_c.Text3->clear();
        m_c.Text4->clear();
    }
    const int deleted = int(gone.size());

    if (deleted > 0) {
        m_c.Text3->clear();
        m_c.Text4->clear();
        // The chooser mirrors the collection: the deleted records go from the rows it has
        // read, and the rows it reads later no longer hold them. In Add mode the chooser is
        // hidden and refilled when Modify mode opens.
        if (!addMode) {
            std::vector<qint64> rowids;
            for (const GoneRecord &r : gone)
                rowids.push_back(r.rowid);
            m_chooser->forget(rowids);
        }
        m_chooser->showPrompt(ChooseAWord);
    }
    if (!failure.isEmpty())
        message(notDeleted(failure));
    else if (deleted == 0)
        message(NoSuchWord);
}

std::vector<WordPanel::GoneRecord> WordPanel::deleteEvery(const QString &word, QString &failure)
{
    TableCursor *words = records();
    if (!words || !database()) {
        failure = CollectionNotOpen;
        return {};
    }
    // One commit for them all; a record that will not go stops the press, and those gone
    // before it stay gone.
    const WordRecords::Deletion deletion =
        WordRecords::deleteEvery(*database(), words->table(), word);
    failure = deletion.failure;
    std::vector<GoneRecord> gone;
    for (const WordRecords::Record &r : deletion.gone)
        gone.push_back({r.rowid, r.word.toString(), r.meaning.toString(), r.pointer.toString()});
    standAtEnd(words);
    return gone;
}

void WordPanel::command16Click()
{
    m_main.setControlPanelEnabled(true);
    m_c.Text3->setEnabled(true);
    m_c.Text4->setEnabled(true);
    m_c.Frame5->hide();
    m_c.RichTextBox1->show();
    m_main.openRequest();
}
