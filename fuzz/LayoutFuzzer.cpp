// Feeds arbitrary bytes to the layout-file reader as the program reads toolbars.ini:
// every value of every participant, as text and as a number, and the file written back.
#include "shell/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > std::size_t(vantor::IniFile::MaximumSize))
        return 0; // the reader refuses such a file unread
    const vantor::IniFile ini = vantor::IniFile::parse(
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    static const char* const Sections[] = {"BarPodstawowy", "BarFigury", "WindowFormObject", ""};
    static const char* const Keys[] = {"Rev",         "Visible",     "DockedTo",  "LastDock",
                                       "DockRow",     "DockPos",     "FloatLeft", "FloatTop",
                                       "ClientWidth", "ClientHeight"};
    for (const char* section : Sections)
        for (const char* key : Keys) {
            const auto text = ini.value(section, key);
            const auto number = ini.integer(section, key);
            // A number is always read from a value that is there.
            if (number && !text)
                std::abort();
        }
    // What the writer gives back is a file the reader takes.
    (void)vantor::IniFile::parse(ini.text()).value("BarFigury", "Rev");
    return 0;
}
