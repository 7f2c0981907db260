#pragma once

class QWidget;

// Work that changes a whole collection or the collection in use (a quiz, an import, Delete
// all, emptying a collection, choosing another one) cannot share the words with a window
// that edits them one at a time. Such a window asks to be closed when that work starts;
// every change it has saved stays saved.
namespace ExclusiveWork {

// Closes `window` when work that needs the words to itself begins. The window may be
// deleted before then; nothing happens for it.
void closeWhenBegun(QWidget *window);

// Called by that work as it starts: closes every window that asked.
void begin();

} // namespace ExclusiveWork
