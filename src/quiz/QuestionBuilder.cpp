#include "QuestionBuilder.h"

#include "RandomPick.h"
#include "RandomSource.h"
#include "Skip.h"
#include "TableCursor.h"

namespace {

// A record the set cannot read gives empty texts: the question goes on regardless.
WordPick current(TableCursor &records)
{
    WordPick pick;
    skipOnFailure(lcQuiz(), "reading the word and meaning of a question", [&] {
        pick = {records.text(QStringLiteral("word")), records.text(QStringLiteral("meaning"))};
    });
    return pick;
}

} // namespace

QuestionBuilder::QuestionBuilder(TableCursor &words, RandomSource &random)
    : m_words(words), m_random(random)
{
}

WordPick QuestionBuilder::pickAtRandom()
{
    if (!skipOnFailure(lcQuiz(), "the random pick of a question",
                       [&] { RandomPick::pick(m_words, m_random); }))
        return {};
    return current(m_words);
}

QuestionBuilder::InOrder QuestionBuilder::takeInOrder(TableCursor &quizWords)
{
    InOrder next{current(quizWords)};
    // A set that can no longer move has nothing more to ask.
    next.exhausted = true;
    skipOnFailure(lcQuiz(), "the move to the next word in order", [&] {
        quizWords.moveNext();
        next.exhausted = quizWords.eof();
    });
    return next;
}

Question QuestionBuilder::build(const WordPick &pick)
{
    Question q;
    q.word = pick.word;
    q.meaning = pick.meaning;
    q.correctSlot = drawSlot();
    q.options[size_t(q.correctSlot - 1)] = q.meaning;
    fillWrongChoices(q.options);
    return q;
}

int QuestionBuilder::drawSlot()
{
    for (;;) {
        const qint64 s = roundHalfEven(5 * m_random.next());
        if (s >= 1 && s <= Question::Slots)
            return int(s);
    }
}

qint64 QuestionBuilder::drawRecord(qint64 count, int &budget)
{
    if (count < 1)
        return 0;
    while (budget > 0) {
        --budget;
        const qint64 x = roundHalfEven(m_random.next() * double(count));
        if (x >= 1 && x <= count)
            return x;
    }
    return 0;
}

void QuestionBuilder::fillWrongChoices(std::array<QString, Question::Slots> &options)
{
    qint64 count = 0;
    try {
        count = m_words.recordCount();
    } catch (const std::exception &) {
        return;
    }
    for (QString &option : options) {
        int budget = MaxDrawsPerOption;
        while (option.isEmpty()) {
            const qint64 x = drawRecord(count, budget);
            if (x == 0)
                break; // out of draws: this option stays empty
            option = meaningAt(x);
        }
    }
}

QString QuestionBuilder::meaningAt(qint64 ordinal)
{
    // One jump to the record x - 1 steps past the first, not a walk.
    QString meaning;
    skipOnFailure(lcQuiz(), "reading a wrong choice's meaning", [&] {
        if (m_words.moveToOrdinal(ordinal))
            meaning = m_words.text(QStringLiteral("meaning"));
    });
    return meaning;
}
