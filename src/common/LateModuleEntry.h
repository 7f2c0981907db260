#pragma once

#include <QtGlobal>

// The entry point of a late module (LateModule.h): `Implementation`, made once, seen as
// `Interface`, and only for the version of the interface the program was built with, so a
// module left over from another build is refused instead of called.
#define LEXMORA_MODULE_ENTRY(Interface, Implementation)                                           \
    extern "C" Q_DECL_EXPORT void *lexmoraModuleEntry(int version)                               \
    {                                                                                              \
        static Implementation instance;                                                            \
        return version == Interface::Version ? static_cast<Interface *>(&instance) : nullptr;     \
    }
