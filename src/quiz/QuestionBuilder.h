#pragma once

#include <QString>

#include <array>

class RandomSource;
class TableCursor;

// One question as the Quiz window shows it: the word and five captions, one of which (the
// correct slot) holds the word's own meaning.
struct Question
{
    static constexpr int Slots = 5;

    QString word;
    QString meaning;                    // the correct choice
    std::array<QString, Slots> options; // captions of Option1 .. Option5
    int correctSlot = 0;                // 1 .. 5
    qint64 rowid = 0;                   // the record asked about (0: not known)
};

// A word of the collection with its meaning; a missing one reads as the empty text.
struct WordPick
{
    QString word;
    QString meaning;
    qint64 rowid = 0; // the record it came from; 0 when none could be read
};

// Draws questions from the current collection recordset: which word comes next, where its
// meaning goes and which meanings fill the other four options. Every draw comes from the
// one generator, so a test that feeds it decides every question exactly.
class QuestionBuilder
{
public:
    // Drawing for a wrong choice gives up after this many draws and leaves the option
    // empty: a collection without a single meaning would otherwise draw for ever, while one
    // where only every twentieth record has a meaning still fills an option but once in
    // millions.
    static constexpr int MaxDrawsPerOption = 300;

    QuestionBuilder(TableCursor &words, RandomSource &random);

    // Random mode: a Random pick over the collection.
    WordPick pickAtRandom();

    // Order mode: the record the quiz recordset stands on, after which the set moves on.
    // `exhausted` says it then stands past the last record, which ends the quiz.
    struct InOrder
    {
        WordPick pick;
        bool exhausted = false;
    };
    static InOrder takeInOrder(TableCursor &quizWords);

    // The question for `pick`: the meaning in a drawn slot, the other options filled.
    Question build(const WordPick &pick);

    // A slot 1 .. 5: s := 5r rounded with ties to even, drawn again while outside 1 .. 5,
    // so slots 1 to 4 come up with 2/9 each and slot 5 with 1/9.
    int drawSlot();
    // A record number 1 .. count the same way, spending draws from `budget`; 0 when the
    // collection is empty or the budget ran out first.
    qint64 drawRecord(qint64 count, int &budget);
    // Fills every empty caption, in order, with the meaning of a drawn record. An empty
    // meaning leaves its option empty and is drawn again, within the budget.
    void fillWrongChoices(std::array<QString, Question::Slots> &options);

private:
    QString meaningAt(qint64 ordinal);

    TableCursor &m_words;
    RandomSource &m_random;
};
