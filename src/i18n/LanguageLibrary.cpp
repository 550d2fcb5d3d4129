#include "i18n/LanguageLibrary.h"

#include "i18n/ModuleFile.h"

#include <QFile>

namespace vantor {

LanguageLibrary::LanguageLibrary(const QString& path) : library_(path) {
    // A file the system's loader would choke on (cut short, a FIFO) is refused as any
    // library that does not load.
    if (CheckModuleFile(QFile::encodeName(path).toStdString()) || !library_.load())
        return;
    lookup_ = reinterpret_cast<LanguageStringFunction>(library_.resolve(LanguageStringSymbol));
    if (!lookup_)
        return;
    const char* marker = lookup_(1);
    usable_ = marker && QByteArrayView(marker) == QByteArrayView(LanguageMarker);
}

QString LanguageLibrary::string(int id) const {
    if (!usable_)
        return {};
    const char* text = lookup_(id);
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace vantor
