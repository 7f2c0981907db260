#pragma once

#include <QString>

// The program's window and message box titles, each written once. Most boxes carry
// Wordbrawl, a few Wordbrawl with its exclamation mark; the windows carry their own.
namespace Titles {

// The program's own name: the default title of a box that names none.
inline const QString Application = QStringLiteral("Lexmora");

// Message and input boxes.
inline const QString Wordbrawl = QStringLiteral("Lexmora! Wordbrawl");
inline const QString WordbrawlBang = QStringLiteral("Lexmora! Wordbrawl!");

// The save dialog of the two Export buttons.
inline const QString Export = QStringLiteral("Export words to a file");

// Windows.
inline const QString &MainWindow = WordbrawlBang;
inline const QString &Splash = WordbrawlBang;
inline const QString Help = QStringLiteral("Help");
inline const QString DatabaseSelector = QStringLiteral("Database Selector");
inline const QString Import = QStringLiteral("Import From Excel");
inline const QString Quiz = QStringLiteral("Lexmora! Quiz! Wordbrawl!");
inline const QString ResultsViewer = QStringLiteral("Lexmora! Word power!");

} // namespace Titles
