#pragma once

#include "CsvReader.h"

#include <QStringList>

// Anki's text files, recognised by their header lines (#separator:tab, #html:false,
// #columns:..., #tags column:3 and the others of Anki's import): the words are read as a
// sheet whose columns A, B and C from row 1 are the word, the meaning and the pointer,
// whatever columns of the file hold them. The word and the meaning are the first two
// columns holding fields (not the note type, deck, GUID or tags); the pointer is the tags
// column, its "_" read back as the blanks they stand for, or else the third field. Lines
// beginning with "#" are comments, and blank lines are passed over, as Anki does. Fields of
// a file marked #html:true are read as the text they show.
class AnkiTextReader : public CsvReader
{
public:
    // What the header lines say.
    struct Layout
    {
        QChar separator; // null: not named, the reader guesses
        bool html = false;
        int wordColumn = 1;
        int meaningColumn = 2;
        int pointerColumn = 3;
        bool pointerIsTags = false;
    };

    AnkiTextReader() : CsvReader(Guess) { setCommentMarker(QLatin1Char('#')); }

    void open(const QString &path) override;

    // Whether the text's first line (after a byte-order mark) is one of Anki's header lines.
    static bool startsWithHeader(const QByteArray &head);
    // The layout the header lines give, each "#key:value" without its line break.
    static Layout layoutOf(const QStringList &headerLines);
    // The text an HTML field shows: tags left out, <br> and the start of a block as line
    // breaks, character references decoded.
    static QString textOfHtml(const QString &html);

protected:
    bool readRow(Row &row) override;

private:
    SheetCell converted(const SheetCell &cell, int target) const;

    Layout m_layout;
};
