#pragma once

#include <QLoggingCategory>

#include <exception>
#include <utility>

// Where a step is skipped on purpose. QT_LOGGING_RULES="lexmora.*=true" shows them all.
Q_DECLARE_LOGGING_CATEGORY(lcStore)       // lexmora.store
Q_DECLARE_LOGGING_CATEGORY(lcUi)          // lexmora.ui: the Main window and its frames
Q_DECLARE_LOGGING_CATEGORY(lcDisplay)     // lexmora.display
Q_DECLARE_LOGGING_CATEGORY(lcQuery)       // lexmora.query
Q_DECLARE_LOGGING_CATEGORY(lcQuiz)        // lexmora.quiz
Q_DECLARE_LOGGING_CATEGORY(lcEditing)     // lexmora.editing
Q_DECLARE_LOGGING_CATEGORY(lcCollections) // lexmora.collections
Q_DECLARE_LOGGING_CATEGORY(lcImport)      // lexmora.import
Q_DECLARE_LOGGING_CATEGORY(lcExport)      // lexmora.export
Q_DECLARE_LOGGING_CATEGORY(lcMigrate)     // lexmora.migrate

// Runs a step the caller can do without: a record-set move whose failure leaves the
// position where it was, a read whose failure leaves a field empty, a clean-up. A failure
// is logged as a warning under `category`, naming `what` was skipped, and the caller goes
// on. Returns whether the step ran to its end.
template <typename Step>
bool skipOnFailure(const QLoggingCategory &category, const char *what, Step &&step)
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception &e) {
        qCWarning(category).noquote() << "Skipped" << what << "because:" << e.what();
        return false;
    }
}
