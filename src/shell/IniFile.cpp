#include "shell/IniFile.h"

#include "designfile/SafeFile.h"

#include <QFile>
#include <QStringTokenizer>
#include <algorithm>
#include <limits>

namespace vantor {

std::optional<IniFile> IniFile::read(const QString& path) {
    const FileReadResult file =
        ReadRegularFile(QFile::encodeName(path).toStdString(), std::size_t{MaximumSize});
    if (!file.ok)
        return std::nullopt;
    return parse(QString::fromUtf8(reinterpret_cast<const char*>(file.bytes.data()),
                                   qsizetype(file.bytes.size())));
}

IniFile IniFile::parse(const QString& text) {
    IniFile ini;
    Section* current = nullptr;
    // Line by line without a list of all lines, which for a file of empty lines would
    // take many times the file's size.
    for (const QStringView raw : QStringTokenizer(text, u'\n')) {
        const QString line = raw.trimmed().toString();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0) {
                current = nullptr;
                continue;
            }
            ini.sections_.append(Section{line.mid(1, close - 1).trimmed(), {}});
            current = &ini.sections_.last();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (current == nullptr || equals <= 0)
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        current->entries.append({line.left(equals).trimmed(), value});
    }
    return ini;
}

QString IniFile::text() const {
    QString out;
    for (const Section& section : sections_) {
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QLatin1Char('[') + section.name + QLatin1String("]\n");
        for (const auto& [key, value] : section.entries)
            out += key + QLatin1Char('=') + value + QLatin1Char('\n');
    }
    return out;
}

bool IniFile::write(const QString& path, QString* reason) const {
    const QByteArray bytes = text().toUtf8();
    const FileWriteResult written =
        ReplaceFileContents(QFile::encodeName(path).toStdString(),
                            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      std::size_t(bytes.size())));
    if (!written.ok && reason != nullptr)
        *reason = QString::fromStdString(written.reason);
    return written.ok;
}

const IniFile::Section* IniFile::find(const QString& section) const {
    for (const Section& candidate : sections_)
        if (candidate.name.compare(section, Qt::CaseInsensitive) == 0)
            return &candidate;
    return nullptr;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Section* found = find(section);
    if (found == nullptr)
        return std::nullopt;
    for (const auto& [name, value] : found->entries)
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

std::optional<int> IniFile::integer(const QString& section, const QString& key) const {
    const std::optional<QString> text = value(section, key);
    if (!text)
        return std::nullopt;
    QString digits = *text;
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.startsWith(QLatin1Char('-'));
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    if (digits.isEmpty() || !digits.at(0).isLetterOrNumber())
        return std::nullopt;
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, base);
    if (!ok || magnitude < 0)
        return std::nullopt;
    const qlonglong number = negative ? -magnitude : magnitude;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&section](const Section& s) { return s.name == section; });
    if (it == sections_.end()) {
        sections_.append(Section{section, {}});
        it = sections_.end() - 1;
    }
    it->entries.append({key, value});
}

} // namespace vantor
