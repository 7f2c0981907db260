#pragma once

#include "Titles.h"

#include <QString>

#include <optional>

class WordDatabase;

// The quiz's numbers and texts, decided without any window: the question count typed at
// the start, the question time, the countdown caption, the reports and the summary, and
// the two look-ups an answer needs (is it right, and marking the word when it is not).
namespace QuizRules {

// Titles of the quiz's message boxes.
inline const QString &Title = Titles::Wordbrawl;
inline const QString &ErrorTitle = Titles::WordbrawlBang;

inline const QString CountTitle = QStringLiteral("How many questions?");
inline const QString CountPrompt =
    QStringLiteral("How many words would you like to be questioned on? \r\n\r\n"
                   "Please enter 0 to be quizzed on an unlimited number of questions. ");
inline const QString GetSerious = QStringLiteral("Get serious!");
inline const QString EndFailed = QStringLiteral("An unexpected error occurred. Please try again!");

inline const QString Progress = QStringLiteral(" Progress...\r\n\r\n");
inline const QString WordClickHint =
    QStringLiteral("If you would like to proceed to the next question before the time is up, "
                   "just click on the word that is currently showing");
// Follows every correct answer and the end of the quiz, appended as it stands.
inline const QString DoneHint =
    QStringLiteral("If you are done, you may click on the word currently being displayed to "
                   "move to the next one\r\n");
inline const QString Paused = QStringLiteral("Quiz Paused...");
inline const QString Resumed = QStringLiteral("Quiz Resumed...");

// A typed 0 asks for this many questions, which stands for "no limit".
constexpr qint16 Unlimited = 32000;
constexpr int Points = 100;

// The message when the collection has nothing to ask.
QString noWords(const QString &table);

// The typed question count as a signed 16-bit number: surrounding blanks are allowed, a
// fraction rounds with ties to even. Nothing for the empty text, a text that is not a
// number, and a number outside -32768..32767.
std::optional<qint16> parseQuestionCount(const QString &text);
// The Question limit a valid count gives: 0 means 32000.
qint16 questionLimit(qint16 count);

// (N + 1) seconds in milliseconds, N the whole seconds of the interval list's text.
int questionTimeMs(int seconds);
QString intervalLine(int seconds);

// Seconds left as the countdown label shows them: a blank for the sign of a number of
// zero or more, " 5"; a minus sign before a negative one.
QString countdownCaption(qint64 seconds);
// The whole seconds the label shows (its integer part); 0 for a caption without a number.
qint64 captionSeconds(const QString &caption);

// The report of a correct answer; the answer in the fifth slot is told on three lines.
QString correctReport(qint64 correct, qint64 asked, bool fifthSlot);
// The box shown when the quiz ends, however it ends.
QString summary(qint64 correct, qint64 asked);
qint64 score(qint64 correct);

// The query of the words marked in `table` this quiz (and before).
QString markedWordsSql(const QString &table);

// True when some record of `table` holds exactly this word with exactly this meaning.
// One indexed look-up; a missing word or meaning never matches.
bool isRightMeaning(WordDatabase &db, const QString &table, const QString &word,
                    const QString &meaning);

} // namespace QuizRules
