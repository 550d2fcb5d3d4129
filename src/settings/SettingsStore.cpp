#include "settings/SettingsStore.h"

#include "designfile/SafeFile.h"

#include <QFile>
#include <QStandardPaths>
#include <string>

namespace vantor {

namespace {

// The store's files are a few hundred bytes; QSettings reads a file whole.
constexpr std::size_t MaximumStoreSize = 1 << 20;

// Whether the text holds a value QSettings would decode as a serialized variant, whose
// stream may claim any number of items and make the reader allocate for all of them.
// The program never writes one. Escapes, quotes and continued lines are undone first,
// as QSettings undoes them, so that no spelling of the marker slips through.
bool HoldsSerializedVariant(const std::vector<std::uint8_t>& bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    const auto digit = [](std::uint8_t c, int base) -> int {
        int value = -1;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        return value < base ? value : -1;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t c = bytes[i];
        if (c == '"')
            continue;
        if (c != '\\' || i + 1 == bytes.size()) {
            text.push_back(c);
            continue;
        }
        const std::uint8_t next = bytes[++i];
        if (next == '\n' || next == '\r')
            continue; // a value continued on the next line
        const int base = next == 'x' ? 16 : (next >= '0' && next <= '7' ? 8 : 0);
        if (base == 0) {
            text.push_back(next);
            continue;
        }
        std::size_t j = base == 16 ? i + 1 : i;
        char32_t code = 0;
        for (; j < bytes.size() && digit(bytes[j], base) >= 0 && code < 0x110000; ++j)
            code = code * char32_t(base) + char32_t(digit(bytes[j], base));
        text.push_back(code);
        i = j - 1;
    }
    return text.find(U"@Variant(") != std::u32string::npos;
}

} // namespace

std::optional<QString> SettingsFileRefusal(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    if (const auto kind = NotARegularFile(file))
        return path + QStringLiteral(": ") + QString::fromStdString(*kind);
    // A file that cannot be read is left to QSettings, which reads nothing of it.
    const FileReadResult read = ReadRegularFile(file, MaximumStoreSize);
    if (read.tooLarge)
        return path + QStringLiteral(": it is too large for a settings file");
    if (read.ok && HoldsSerializedVariant(read.bytes))
        return path + QStringLiteral(": it holds a serialized value, which is not read");
    return std::nullopt;
}

std::optional<QString> SettingsStoreRefusal() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return std::nullopt; // the registry and property lists are no files of ours
#else
    // The user's file and the system-wide ones, each with its organisation-wide fallback.
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name :
             {QStringLiteral("/Qendel/CAD.conf"), QStringLiteral("/Qendel.conf")}) {
            const QString path = folder + name;
            if (auto refusal = SettingsFileRefusal(path))
                return refusal;
        }
    }
    return std::nullopt;
#endif
}

} // namespace vantor
