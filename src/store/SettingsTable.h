#pragma once

#include <QString>

#include <optional>

class WordDatabase;

// The learner's choices that belong with the words, kept in a table of our own,
// lexmora_settings (key TEXT PRIMARY KEY, value TEXT), so older versions and other
// readers of the file see the word tables as they always were.
namespace SettingsTable {

inline constexpr char Table[] = "lexmora_settings";

// "Speak words": "1" when set, "0" when not.
inline const QString SpeakWords = QStringLiteral("speak words");

// Creates the table where it is missing. A table of that name with other columns is not
// ours: the file is refused (StoreError), before anything is written. Runs inside the
// transaction of the caller.
void prepare(WordDatabase &db);

// The value kept under `key`, or nothing when none is. Throws StoreError.
std::optional<QString> value(WordDatabase &db, const QString &key);

// Keeps `value` under `key`, replacing what was kept. Throws StoreError.
void setValue(WordDatabase &db, const QString &key, const QString &value);

// A yes-or-no setting: `fallback` when none is kept or it is neither "1" nor "0".
bool flag(WordDatabase &db, const QString &key, bool fallback);
void setFlag(WordDatabase &db, const QString &key, bool on);

} // namespace SettingsTable
