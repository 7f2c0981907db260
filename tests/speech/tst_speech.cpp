// Saying words: the word display, the quiz, the word panel's speaker and the Results
// viewer's, with a recording speaker in place of the engine.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "QuizStart.h"
#include "RecordingSpeaker.h"
#include "SettingsTable.h"
#include "Snapshot.h"
#include "SwitchTimer.h"
#include "TextToSpeechSpeaker.h"
#include "WordDatabase.h"
#include "quiz.h"
#include "sqlret.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextToSpeech>

using namespace TestSupport;

namespace {

const QString NoSound = QStringLiteral("The speech engine flite cannot speak: No audio device.");

std::vector<WordEntry> fourWords()
{
    return {{"Abate", "to lessen", "v."},
            {"Bane", "a cause of ruin", "n."},
            {"Cajole", "to coax", "v. tr."},
            {"Deride", "to mock", ""}};
}

sqlret *visibleViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return qobject_cast<sqlret *>(w);
    return nullptr;
}

// Enabled as far as the control itself decides: the Main window as a whole is disabled
// while the viewer is open.
bool enabled(const QWidget *control)
{
    return control->isEnabledTo(control->window());
}

// The speech controls of the Main window and, when open, of the Results viewer.
QList<QWidget *> speechControls(Form1 *form)
{
    QList<QWidget *> controls{form->Check4, form->Command24};
    if (sqlret *v = visibleViewer())
        controls << v->Speak1 << v->Speak2 << v->Speak3;
    return controls;
}

} // namespace

class TstSpeech : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wordDisplaySaysEachWordShown_data();
    void wordDisplaySaysEachWordShown();
    void quizSaysEachQuestionsWord_data();
    void quizSaysEachQuestionsWord();
    void wordPanelSpeakerSaysTheFieldsWord();
    void viewerSpeakersSayTheirRowsWord();
    void withoutEngineTheControlsAreOffAndSayWhy();
    void speakWordsIsKeptInTheWordDatabase();
    void engineChoice_data();
    void engineChoice();
    void installedEnginesAreQtsOwn();
    void realEngineAnswersWithoutBlocking();
    void crashingEngineIsStartedAgainThenGivenUp();

private:
    RecordingSpeaker *m_speaker = nullptr;
};

void TstSpeech::init()
{
    m_speaker = new RecordingSpeaker;
    Speaker::install(m_speaker);
}

void TstSpeech::cleanup()
{
    Speaker::install(nullptr);
    delete m_speaker;
}

void TstSpeech::wordDisplaySaysEachWordShown_data()
{
    QTest::addColumn<bool>("speakWords");
    QTest::addColumn<bool>("randomize");
    QTest::newRow("in order") << true << false;
    QTest::newRow("at random") << true << true;
    QTest::newRow("Speak words not set") << false << false;
}

void TstSpeech::wordDisplaySaysEachWordShown()
{
    QFETCH(bool, speakWords);
    QFETCH(bool, randomize);
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->Check4->setChecked(speakWords);
    form->Check1->setChecked(randomize);

    // What appears in the word label, every time it changes to a word.
    QStringList shown;
    const auto note = [&] { shown << form->Label1->text(); };
    QTest::mouseClick(form->Command2, Qt::LeftButton); // Start
    note();
    for (int tick = 0; tick < 5; ++tick) { // past the last word, wrapping to the first
        emit form->Timer1->tick();
        note();
    }
    if (!randomize) {
        QTest::mouseClick(form->Command14, Qt::LeftButton); // Previous
        note();
    }
    QTest::mouseClick(form->Command3, Qt::LeftButton); // Stop: the caption is no word

    QCOMPARE(m_speaker->said, speakWords ? shown : QStringList());
    if (!randomize)
        // Previous steps back from one ahead of the word on display: it shows that word again.
        QCOMPARE(shown,
                 QStringList({"Abate", "Bane", "Cajole", "Deride", "Abate", "Bane", "Bane"}));
}

void TstSpeech::quizSaysEachQuestionsWord_data()
{
    QTest::addColumn<bool>("speakWords");
    QTest::newRow("Speak words set") << true;
    QTest::newRow("Speak words not set") << false;
}

void TstSpeech::quizSaysEachQuestionsWord()
{
    QFETCH(bool, speakWords);
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->Check4->setChecked(speakWords);
    form->Check2->setChecked(false); // in table order
    program.dialogs().expectInput(QStringLiteral("3"));
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    quiz *w = form->findChild<QuizStart *>(QStringLiteral("QuizStart"))->window();
    QVERIFY(w);

    QStringList put{w->question().word};
    QCOMPARE(m_speaker->said, speakWords ? put : QStringList());
    // Each Next puts the next question, and its word is said as it appears.
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(w->Command3, Qt::LeftButton);
        put << w->question().word;
        QCOMPARE(m_speaker->said, speakWords ? put : QStringList());
    }
    QCOMPARE(put, QStringList({"Abate", "Bane", "Cajole"}));
    program.dialogs().expectMessage().expectQuestion(false);
    w->Command1->click(); // Cancel: the summary, then the viewer of the marked words
    if (sqlret *v = visibleViewer())
        v->Command1->click();
}

void TstSpeech::wordPanelSpeakerSaysTheFieldsWord()
{
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);

    // Add mode: the word as typed, without the blanks around it. An empty field says nothing.
    QTest::mouseClick(form->Command9, Qt::LeftButton);
    QVERIFY(form->Command24->isVisible());
    QTest::mouseClick(form->Command24, Qt::LeftButton);
    QCOMPARE(m_speaker->said, QStringList());
    form->Text2->setText(QStringLiteral("  obdurate "));
    QTest::mouseClick(form->Command24, Qt::LeftButton);
    QCOMPARE(m_speaker->said, QStringList({"obdurate"}));
    QTest::mouseClick(form->Command16, Qt::LeftButton);

    // Modify mode: the chooser's prompt is not a word; a chosen word is.
    m_speaker->said.clear();
    QTest::mouseClick(form->Command10, Qt::LeftButton);
    QTest::mouseClick(form->Command24, Qt::LeftButton);
    QCOMPARE(m_speaker->said, QStringList());
    form->Combo3->setCurrentIndex(form->Combo3->findText(QStringLiteral("Cajole")));
    QTest::mouseClick(form->Command24, Qt::LeftButton);
    QCOMPARE(m_speaker->said, QStringList({"Cajole"}));
    // "Speak words" is about the display and the quiz; the speaker speaks on demand.
    QVERIFY(!form->Check4->isChecked());
}

void TstSpeech::viewerSpeakersSayTheirRowsWord()
{
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    Module1::queryResult = std::make_unique<Snapshot>(
        Module1::database->query(QStringLiteral("select * from Words where word <> 'Bane'")));
    form->openResultsViewer();
    sqlret *v = visibleViewer();
    QVERIFY(v);
    while (v->reading())
        QCoreApplication::processEvents();

    // Each button sits at the right end of its word cell, which leaves it room.
    for (const auto &[button, cell] :
         {std::pair{v->Speak1, v->Label4}, std::pair{v->Speak2, v->Label7},
          std::pair{v->Speak3, v->Label10}}) {
        QVERIFY(button->isVisible() && button->isEnabled());
        QVERIFY(button->geometry().left() >= cell->geometry().right());
        QVERIFY(button->geometry().top() >= cell->geometry().top());
    }
    QTest::mouseClick(v->Speak2, Qt::LeftButton);
    QTest::mouseClick(v->Speak1, Qt::LeftButton);
    QCOMPARE(m_speaker->said, QStringList({"Cajole", "Abate"}));

    // A page with fewer rows than the grid shows no speaker where there is no word.
    v->Command1->click();
    Module1::queryResult = std::make_unique<Snapshot>(
        Module1::database->query(QStringLiteral("select * from Words where word = 'Bane'")));
    form->openResultsViewer();
    v = visibleViewer();
    QVERIFY(v);
    QVERIFY(v->Speak1->isVisible());
    QVERIFY(!v->Speak2->isVisible() && !v->Speak3->isVisible());
    QTest::mouseClick(v->Speak1, Qt::LeftButton);
    QCOMPARE(m_speaker->said.last(), "Bane");
    v->Command1->click();
}

void TstSpeech::withoutEngineTheControlsAreOffAndSayWhy()
{
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    m_speaker->setWhyNot(TextToSpeechSpeaker::NoEngine);
    Form1 *form = program.start();
    QVERIFY(form);
    QCOMPARE(program.dialogs().calls().size(), 0); // no box at start
    Module1::queryResult =
        std::make_unique<Snapshot>(Module1::database->query(QStringLiteral("select * from Words")));
    form->openResultsViewer();
    QVERIFY(visibleViewer());
    for (QWidget *control : speechControls(form)) {
        QVERIFY2(!enabled(control), qPrintable(control->objectName()));
        QCOMPARE(control->toolTip(), TextToSpeechSpeaker::NoEngine);
    }

    // An engine that finds out late that it cannot speak turns them off then; one that
    // can again turns them back on, with their own tooltips.
    m_speaker->setWhyNot(QString());
    for (QWidget *control : speechControls(form))
        QVERIFY2(enabled(control), qPrintable(control->objectName()));
    QCOMPARE(form->Check4->toolTip(), "Say each word aloud as it appears, here and in the quiz");
    QCOMPARE(visibleViewer()->Speak1->toolTip(), "Say the word");
    m_speaker->setWhyNot(NoSound);
    for (QWidget *control : speechControls(form)) {
        QVERIFY(!enabled(control));
        QCOMPARE(control->toolTip(), NoSound);
    }
    visibleViewer()->Command1->click();
}

void TstSpeech::speakWordsIsKeptInTheWordDatabase()
{
    ProgramFixture program({.tables = {{"Words", fourWords()}}});
    {
        // Set by an earlier run.
        auto db = WordDatabase::open(WordDatabase::FileName);
        SettingsTable::setFlag(*db, SettingsTable::SpeakWords, true);
    }
    Form1 *form = program.start();
    QVERIFY(form);
    QVERIFY(form->Check4->isChecked());
    // The engine gets going soon after start, not at the first word.
    QCOMPARE(m_speaker->prepared, 0);
    QTRY_COMPARE(m_speaker->prepared, 1);
    QCOMPARE(m_speaker->said, QStringList()); // start-up itself says nothing

    form->Check4->click();
    QCOMPARE(SettingsTable::value(*Module1::database, SettingsTable::SpeakWords), "0");
    form->Check4->click();
    QCOMPARE(SettingsTable::value(*Module1::database, SettingsTable::SpeakWords), "1");
    QCOMPARE(m_speaker->prepared, 2);
}

void TstSpeech::engineChoice_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("flite first") << QStringList{"speechd", "flite"} << "flite";
    QTest::newRow("speech-dispatcher") << QStringList{"speechd"} << "speechd";
    QTest::newRow("only others") << QStringList{"mock", "android"} << "";
    QTest::newRow("none") << QStringList{} << "";
}

void TstSpeech::engineChoice()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, chosen);
    TextToSpeechSpeaker speaker(installed, TextToSpeechSpeaker::helperPath(), nullptr);
    QCOMPARE(speaker.engine(), chosen);
    QCOMPARE(speaker.available(), !chosen.isEmpty());
    QCOMPARE(speaker.whyNot(), chosen.isEmpty() ? TextToSpeechSpeaker::NoEngine : QString());
    // Without an engine nothing is started, and saying is no failure.
    if (chosen.isEmpty()) {
        speaker.say(QStringLiteral("Abate"));
        QVERIFY(!speaker.engineAnswered());
    }
}

// The plugins' declarations name the same engines Qt's speech library would load.
void TstSpeech::installedEnginesAreQtsOwn()
{
    QStringList ours = TextToSpeechSpeaker::installedEngines();
    QStringList qts = QTextToSpeech::availableEngines();
    ours.sort();
    qts.sort();
    QCOMPARE(ours, qts);
}

void TstSpeech::realEngineAnswersWithoutBlocking()
{
    if (!QTextToSpeech::availableEngines().contains(QStringLiteral("flite")))
        QSKIP("the flite engine (qt6-speech-flite-plugin) is not installed");
    TextToSpeechSpeaker speaker;
    QCOMPARE(speaker.engine(), "flite");
    QSignalSpy changed(&speaker, &Speaker::availabilityChanged);
    // The engine is made in its own thread: the first word returns before it is there.
    speaker.say(QStringLiteral("Abate"));
    QVERIFY(!speaker.engineAnswered());
    QTRY_VERIFY_WITH_TIMEOUT(speaker.engineAnswered(), 20000);
    // Able to speak, or (a machine without sound) unable with the engine's reason.
    QCOMPARE(changed.count(), speaker.available() ? 0 : 1);
    if (!speaker.available())
        QVERIFY(speaker.whyNot().startsWith("The speech engine flite cannot speak: "));
    speaker.say(QStringLiteral("Bane")); // a second word, interrupting, before it goes
}

void TstSpeech::crashingEngineIsStartedAgainThenGivenUp()
{
    // A helper that answers and then dies at every word, as a crashing engine would.
    WorkFolder folder;
    const QString helper = folder.path(QStringLiteral("crashing-speaker"));
    {
        QFile script(helper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho ready\nread word\nkill -SEGV $$\n");
    }
    QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TextToSpeechSpeaker speaker({QStringLiteral("flite")}, helper, nullptr);
    QSignalSpy changed(&speaker, &Speaker::availabilityChanged);
    for (int word = 1; word <= TextToSpeechSpeaker::CrashLimit; ++word) {
        QVERIFY(speaker.available());
        speaker.say(QStringLiteral("Abate"));
        QVERIFY(speaker.engineRunning());
        QTRY_VERIFY(!speaker.engineRunning()); // it died; the next word starts it again
    }
    QCOMPARE(changed.count(), 1);
    QVERIFY(!speaker.available());
    QCOMPARE(speaker.whyNot(), "The speech engine flite cannot speak: it stopped working.");

    // A helper that is not there: unavailable at once, saying so.
    TextToSpeechSpeaker missing({QStringLiteral("flite")}, folder.path("none"), nullptr);
    QVERIFY(!missing.available());
    QVERIFY(missing.whyNot().contains("lexmora-speaker is missing"));
}

QTEST_MAIN(TstSpeech)
#include "tst_speech.moc"
