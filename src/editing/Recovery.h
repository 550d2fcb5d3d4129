#pragma once

#include <QString>
#include <string>

namespace vantor {

class Design;

// The recovery copy of a modified design: the design file itself and, beside it, the
// name of the file the design came from (empty for a new design). A clean end of the
// work removes both, so a copy found at start was left by a run that ended without
// closing.
class RecoveryStore {
public:
    // Keeps the copy in `directory`; by default the per-user data folder.
    explicit RecoveryStore(QString directory = DefaultDirectory());
    static QString DefaultDirectory();

    QString designPath() const;
    bool exists() const;
    // Writes the copy with the same safe save as the design file; false on failure.
    bool write(const Design& design, const QString& originalName) const;
    void remove() const;

    struct Recovered {
        bool ok = false;
        QString originalName;
        // The loader's message for a damaged copy.
        QString message;
    };
    // Reads the copy into the design. The copy is kept (the design read from it is still
    // unsaved); a damaged copy is moved aside (".damaged" added to its name) and the
    // design left empty.
    Recovered restore(Design& design) const;

private:
    QString namePath() const;

    QString directory_;
};

} // namespace vantor
