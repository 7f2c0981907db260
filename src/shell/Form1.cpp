// The Main window's start-up and the port's plain answers.
#include "Form1.h"

#include "AccessMigration.h"
#include "Collections.h"
#include "Dialogs.h"
#include "HoverLooks.h"
#include "Interval.h"
#include "ListBox.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "PanelSlides.h"
#include "QuickSearch.h"
#include "RandomSource.h"
#include "SettingsTable.h"
#include "StartUpOpening.h"
#include "Skip.h"
#include "Speaker.h"
#include "StatusBox.h"
#include "StoreError.h"
#include "SwitchTimer.h"
#include "Titles.h"
#include "Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int SpeechWarmUpMs = 500;
const QString &Title = Titles::Wordbrawl;

// What the Welcome text and the word panel's start text report of the collection.
struct CollectionSummary
{
    QString firstWord;
    QString lastWord;
    qint64 count = 0;
};

// Moves to the first and then the last record to read their words, leaving the record set
// on the last one. An empty or missing collection gives empty words and 0.
CollectionSummary summarise(TableCursor *words)
{
    CollectionSummary s;
    if (!words)
        return s;
    try {
        words->moveFirst();
        s.firstWord = words->text(QStringLiteral("word"));
        words->moveLast();
        s.lastWord = words->text(QStringLiteral("word"));
        s.count = words->recordCount();
    } catch (const std::exception &) {
        // Start-up ignores failed reads and carries on.
    }
    return s;
}

} // namespace

const QString Form1::FirstRunMarker = QStringLiteral("zq.ini");

Form1::Form1(QWidget *parent) : QWidget(parent), m_looks(new HoverLooks(this))
{
    buildControls();
    buildMenus();
    buildLooks();
    nameControls();
    wire();
}

Form1::~Form1() = default;

QString Form1::databasePath()
{
    return QDir::currentPath() + QLatin1Char('/') + WordDatabase::FileName;
}

bool Form1::startUp(StartUpOpening *opening)
{
    for (const auto kind : {QuickSearch::Kind::ByWord, QuickSearch::Kind::ByMeaning,
                            QuickSearch::Kind::ByPointer})
        List1->addItem(QuickSearch::itemText(kind));
    show();

    const QString path = databasePath();
    if (!QFileInfo::exists(path)) {
        reportFatal(QStringLiteral("I was hopin' to find one of my subordinate files at ") +
                    QDir::toNativeSeparators(path) + QStringLiteral(" but, I could not! ") + CrLf +
                    CrLf + QStringLiteral("Please find the file for me or re-install this application"));
        return false;
    }
    if (!AccessMigration::offerConversion(path, Title)) {
        close();
        return false;
    }
    try {
        Module1::database = opening ? opening->open(path) : WordDatabase::open(path);
    } catch (const StoreError &e) {
        reportFatal(e.message());
        return false;
    }

    m_slides->reset();
    Module1::currentCollection = QStringLiteral("Words");

    Module1::openCurrentCollection(Collections::chooseDefault(*Module1::database));
    writeWelcomeTexts();
    loadSpeakWords();
    RandomSource::instance().seedFromClock();
    layoutPanes();
    fillIntervalLists();
    // The keys go first to the control a user presses first: Show Words' "Start".
    Command2->setFocus(Qt::OtherFocusReason);
    return true;
}

void Form1::loadSpeakWords()
{
    bool on = false;
    skipOnFailure(lcUi(), "reading the choice of Speak words", [&on] {
        on = SettingsTable::flag(*Module1::database, SettingsTable::SpeakWords, false);
    });
    // Set as kept, not as a change to keep again.
    const QSignalBlocker quiet(Check4);
    Check4->setChecked(on);
    // The engine gets going once the window is up, so start-up does not wait for it.
    if (on)
        QTimer::singleShot(SpeechWarmUpMs, m_speaker, &Speaker::prepare);
}

void Form1::reportFatal(const QString &text)
{
    Dialogs::current().message(text, Title);
    close();
}

void Form1::writeWelcomeTexts()
{
    const CollectionSummary s = summarise(Module1::words.get());
    const QString table = QStringLiteral("I am using the table '") + Module1::currentCollection +
                          QStringLiteral("' of ") + CrLf + Module1::database->path() + CrLf;
    const QString words = QStringLiteral("Starting Word : ") + s.firstWord +
                          QStringLiteral("  Ending word : ") + s.lastWord + CrLf;
    const QString total = QStringLiteral("Total Number of words : ") + QString::number(s.count) + CrLf;

    RichTextBox1->setStatusText(QStringLiteral("Welcome to Lexmora!") + CrLf);
    RichTextBox1->appendText(table);
    RichTextBox1->appendText(words);
    RichTextBox1->appendText(total);
    RichTextBox1->appendText(CrLf + QStringLiteral("You may click on 'Change table' in the 'Word "
                                                   "Control' options to switch to a different "
                                                   "collection") + CrLf);
    RichTextBox1->appendText(CrLf + QStringLiteral("Clicking on 'Cover Panel' will close the "
                                                   "Control Panel!") + CrLf);

    RichTextBox2->setStatusText(table);
    RichTextBox2->appendText(words);
    RichTextBox2->appendText(CrLf + total);
    RichTextBox2->appendText(CrLf + QStringLiteral("Progress......") + CrLf + CrLf);
}

void Form1::layoutPanes()
{
    Picture1->move(0, 0);
    Picture2->move(Picture2->x(), 0);
    Picture3->move(Picture3->x(), 0);
    const QColor windowColour = palette().color(QPalette::Window);
    for (QWidget *w : {static_cast<QWidget *>(Check1), static_cast<QWidget *>(Frame2),
                       static_cast<QWidget *>(Check2)}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, windowColour);
        w->setPalette(p);
    }

    // Saved, pushed one pane width to the right, then either set for the Intro slide or
    // put in place at once.
    const bool firstRun = !QFileInfo::exists(FirstRunMarker);
    m_slides->placePanes(firstRun);
    if (firstRun) {
        QFile marker(FirstRunMarker);
        if (marker.open(QIODevice::WriteOnly))
            marker.write("\"False\"\r\n"); // a failure here is not reported
    }
}

void Form1::fillIntervalLists()
{
    for (QComboBox *list : {Combo1, Combo2}) {
        const QString design = list->currentText();
        for (int n = 1; n <= Interval::Items; ++n)
            list->addItem(Interval::itemText(n));
        // The list keeps its design text until the user picks an entry.
        list->setCurrentIndex(-1);
        list->setEditText(design);
    }
}

void Form1::command6Click()
{
    close();
}

void Form1::appendStatusLine(const QString &message)
{
    RichTextBox1->appendLine(message);
}

void Form1::appendStatusText(const QString &piece)
{
    RichTextBox1->appendText(piece);
}

QString Form1::sqlText() const
{
    return Text1->text();
}

void Form1::setSqlText(const QString &text)
{
    Text1->setText(text);
}
