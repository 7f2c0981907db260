#include "Skip.h"

// Warnings are shown unless the rules hide them; the debug level is off as usual.
Q_LOGGING_CATEGORY(lcStore, "lexmora.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUi, "lexmora.ui", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDisplay, "lexmora.display", QtWarningMsg)
Q_LOGGING_CATEGORY(lcQuery, "lexmora.query", QtWarningMsg)
Q_LOGGING_CATEGORY(lcQuiz, "lexmora.quiz", QtWarningMsg)
Q_LOGGING_CATEGORY(lcEditing, "lexmora.editing", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCollections, "lexmora.collections", QtWarningMsg)
Q_LOGGING_CATEGORY(lcImport, "lexmora.import", QtWarningMsg)
Q_LOGGING_CATEGORY(lcExport, "lexmora.export", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMigrate, "lexmora.migrate", QtWarningMsg)
