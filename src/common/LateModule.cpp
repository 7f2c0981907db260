#include "LateModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#include <memory>

namespace LateModule {

namespace {

using Entry = void *(*)(int);

QString fileName(const QString &name)
{
    return QStringLiteral("lexmora-%1.so").arg(name);
}

// Where load() looks for the module `name`, first to last.
QStringList places(const QString &name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(fileName(name)),
            QDir::cleanPath(program.filePath(QStringLiteral(LEXMORA_MODULES_FROM_PROGRAM "/") +
                                             fileName(name)))};
}

} // namespace

void *load(const QString &name, int version, QString *whyNot)
{
    // Loaded modules are kept for the program's life: their code stays in use.
    static QHash<QString, QLibrary *> loaded;
    QLibrary *library = loaded.value(name);
    if (!library) {
        QString failure;
        for (const QString &path : places(name)) {
            if (!QFileInfo::exists(path))
                continue;
            auto candidate = std::make_unique<QLibrary>(path);
            if (candidate->load()) {
                library = candidate.release();
                loaded.insert(name, library);
                break;
            }
            failure = candidate->errorString();
        }
        if (!library) {
            if (whyNot)
                *whyNot = failure.isEmpty()
                              ? QStringLiteral("%1 is missing beside the program.").arg(fileName(name))
                              : QStringLiteral("%1 could not be loaded: %2").arg(fileName(name), failure);
            return nullptr;
        }
    }
    const auto entry = reinterpret_cast<Entry>(library->resolve("lexmoraModuleEntry"));
    void *found = entry ? entry(version) : nullptr;
    if (!found && whyNot)
        *whyNot = QStringLiteral("%1 belongs to another version of the program.").arg(fileName(name));
    return found;
}

} // namespace LateModule
