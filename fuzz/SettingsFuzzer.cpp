// Feeds arbitrary bytes to the settings reader as the program meets CAD.conf: the file
// is checked first, and a file the check lets through is read whole by QSettings.
// libFuzzer's allocation limit (scripts/fuzz sets a few megabytes) catches any file
// the check lets through that makes the reader allocate without bound.
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A new name for every input: QSettings keeps files it has read by name.
    static unsigned counter = 0;
    const QString path = QDir::tempPath() + QStringLiteral("/settings-fuzz-") +
                         QString::number(::getpid()) + QLatin1Char('-') +
                         QString::number(counter++) + QStringLiteral(".conf");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    if (!vantor::SettingsFileRefusal(path)) {
        const QSettings settings(path, QSettings::IniFormat);
        for (const QString& key : settings.allKeys())
            (void)settings.value(key).toString();
    }
    QFile::remove(path);
    return 0;
}
