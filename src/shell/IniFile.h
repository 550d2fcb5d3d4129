#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace vantor {

// An INI file as the toolbar layout files use it: "[section]" lines followed by
// "key=value" lines. Written in the order the values were set, which keeps the keys of
// a section in the order the layout gives them (QSettings' INI format sorts them).
// Read as the Windows profile functions read: section and key names without regard to
// case, the first of duplicate names winning, blank lines, comments (';') and lines
// that are neither ignored, values trimmed and freed of enclosing quotes.
class IniFile {
public:
    // Files larger than this are not layout files and are not read; a layout file is a
    // few kilobytes, and this bound keeps what a parsed file holds within a few megabytes.
    static constexpr qint64 MaximumSize = 1 << 16;

    // Nothing when the file is missing, cannot be read, is too large or is not a regular
    // file (a FIFO is refused without waiting on it).
    static std::optional<IniFile> read(const QString& path);
    static IniFile parse(const QString& text);

    // Writes the whole file at once through a link to the file it names; false (and the
    // old file untouched, `reason` saying why) when it cannot or when the path is no
    // regular file.
    bool write(const QString& path, QString* reason = nullptr) const;
    QString text() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    // A decimal integer, or hexadecimal after "$" or "0x"; nothing when the value is
    // missing, is no integer or lies outside the 32-bit range.
    std::optional<int> integer(const QString& section, const QString& key) const;

    // Appends a value (sections in the order of their first value).
    void setValue(const QString& section, const QString& key, const QString& value);
    void setInteger(const QString& section, const QString& key, int value) {
        setValue(section, key, QString::number(value));
    }

private:
    struct Section {
        QString name;
        QList<std::pair<QString, QString>> entries;
    };
    const Section* find(const QString& section) const;

    QList<Section> sections_;
};

} // namespace vantor
