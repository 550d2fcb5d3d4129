// A recovery copy left by a program that is gone, as any program (or anyone) could have
// left it: the first byte gives the length of the stored name, the name follows, and the
// rest is the copy of the design. Claiming, restoring and naming it must never crash or
// hang; the title shows no control character, and a save suggestion is empty or an
// absolute path.
#include "editing/Recovery.h"
#include "model/Design.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Write(const QString& path, const std::uint8_t* data, std::size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantor;
    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    const std::size_t nameLength = size == 0 ? 0 : std::min<std::size_t>(data[0], size - 1);
    const std::uint8_t* name = size == 0 ? data : data + 1;
    const QString stem = folder.filePath(QStringLiteral("recovery-999999-0badf00d-1"));
    Write(stem + QStringLiteral(".name"), name, nameLength);
    Write(stem + QStringLiteral(".kfx"), name + nameLength, size - std::min(size, nameLength + 1));

    RecoveryStore store(folder.path());
    const QList<RecoveryStore::LeftCopy> copies = store.claimLeftCopies();
    if (copies.size() != 1)
        std::abort(); // the planted copy's owner is gone: it must be offered
    for (const RecoveryStore::LeftCopy& copy : copies) {
        Design design;
        RecoveryStore::Restore(copy, design);
        for (const QChar c : RecoveredTitle(copy.originalName))
            if (c.category() == QChar::Other_Control)
                std::abort();
        const QString suggestion = RecoveredSaveSuggestion(copy.originalName);
        if (!suggestion.isEmpty() && !QDir::isAbsolutePath(suggestion))
            std::abort();
        RecoveryStore::Discard(copy);
    }
    store.releaseClaims();
    // What Restore set aside, and the claim's lock, go before the next input.
    for (const QString& left : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(left));
    return 0;
}
