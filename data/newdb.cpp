// lexmora-newdb PATH: writes a fresh word database at PATH with the starter word list in
// the collection Words. It never overwrites an existing file.
#include "NewDatabase.h"
#include "StoreError.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: lexmora-newdb PATH\n"
               "Writes a fresh Lexmora word database (qvtmdb.mdb) at PATH.\n";
        return 2;
    }
    QFile list(QStringLiteral(":/data/starter-words.tsv"));
    if (!list.open(QIODevice::ReadOnly)) {
        err << "lexmora-newdb: the starter word list is missing from this build\n";
        return 1;
    }
    try {
        const auto words = NewDatabase::parseWordList(list.readAll());
        NewDatabase::create(args[1], words);
        QTextStream(stdout) << "Wrote " << args[1] << " with " << words.size()
                            << " starter words.\n";
    } catch (const std::exception &e) {
        err << "lexmora-newdb: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
