#include "WordNormalization.h"

namespace WordNormalization {

QString normalize(const QString &typed)
{
    qsizetype start = 0;
    while (start < typed.size() && typed[start] == QLatin1Char(' '))
        ++start;
    QString word = typed.mid(start);
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (i == 0 && c >= u'a' && c <= u'z')
            word[i] = QChar(char16_t(c - 32));
        else if (i > 0 && c >= u'A' && c <= u'Z')
            word[i] = QChar(char16_t(c + 32));
    }
    return word;
}

} // namespace WordNormalization
