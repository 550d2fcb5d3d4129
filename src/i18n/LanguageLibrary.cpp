#include "i18n/LanguageLibrary.h"

namespace vantor {

LanguageLibrary::LanguageLibrary(const QString& path) : library_(path) {
    if (!library_.load())
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
