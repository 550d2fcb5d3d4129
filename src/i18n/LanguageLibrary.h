#pragma once

#include "i18n/LanguageModuleAbi.h"

#include <QLibrary>
#include <QString>

namespace vantor {

// One language library loaded from its file and checked against the program's marker.
// The module stays loaded for the rest of the process: destroying this object does not
// unload it, since strings already handed out may still be in use.
class LanguageLibrary {
public:
    explicit LanguageLibrary(const QString& path);
    LanguageLibrary(const LanguageLibrary&) = delete;
    LanguageLibrary& operator=(const LanguageLibrary&) = delete;

    // Loaded, exporting the lookup function, and its string 1 is the marker.
    bool isUsable() const { return usable_; }
    // The string of `id`; empty for an identifier the library does not define, and for
    // every identifier of an unusable library.
    QString string(int id) const;
    QString path() const { return library_.fileName(); }

private:
    QLibrary library_;
    LanguageStringFunction lookup_ = nullptr;
    bool usable_ = false;
};

} // namespace vantor
