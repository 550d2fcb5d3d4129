#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace vantor {

// An English message pattern of the core, with %1, %2, ... where its values go, and the
// same pattern in the program's language.
using MessagePattern = std::pair<QString, QString>;

// A core message said in the program's language. The Qt-free core writes its messages in
// English (the command-line tool prints them as they are); a message that matches one of
// the patterns whole comes back in that pattern's translation with the same values, any
// other message comes back unchanged.
QString TranslatedMessage(const QString& english, const std::vector<MessagePattern>& patterns);

} // namespace vantor
