#pragma once

#include <QString>

// A part of the program kept in a library of its own, lexmora-NAME.so, and loaded the first
// time it is needed, so that start-up neither loads nor relocates the libraries behind it
// (Qt Charts for the progress window, QuaZip for zipped spreadsheets). A module lies beside
// the program in the build tree and in lib/lexmora/modules once installed; its one entry point is
// LEXMORA_MODULE_ENTRY (LateModuleEntry.h).
namespace LateModule {

// The interface module `name` gives for `version`, or nullptr with `whyNot` saying why in
// plain words. A module is loaded once and stays loaded.
void *load(const QString &name, int version, QString *whyNot);

template <class Interface>
Interface *interfaceOf(const QString &name, QString *whyNot)
{
    return static_cast<Interface *>(load(name, Interface::Version, whyNot));
}

} // namespace LateModule
