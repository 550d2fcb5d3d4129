#pragma once

#include <QString>
#include <optional>

namespace vantor {

// The program's settings store, QSettings("Qendel", "CAD") in the native format. Where
// that format is a file (CAD.conf under the configuration folders), QSettings reads it
// as soon as it is opened and replaces it when it writes: a FIFO there would block the
// program and a device would be read or replaced. Every user of the store asks first.

// Why the store must not be opened: one of the files it reads exists and is not a
// regular file (or a link to one). Nothing when the store may be used.
std::optional<QString> SettingsStoreRefusal();

// Why QSettings must not read this one file: it is no regular file, it is larger than a
// settings file can be, or it holds a serialized variant (whose stream may claim any
// number of items). Nothing when the file may be read, or names nothing.
std::optional<QString> SettingsFileRefusal(const QString& path);

} // namespace vantor
