#pragma once

#include "editing/EditHistory.h"
#include "model/Design.h"

#include <QObject>
#include <QString>

namespace vantor {

// One open design as the file commands see it: the design, its undo history, the file it
// belongs to and whether it differs from that file. A design window holds one; the file,
// recovery and pointer commands act on it rather than on the windows around it.
class DesignDocument : public QObject {
    Q_OBJECT

public:
    explicit DesignDocument(QObject* parent = nullptr);

    Design& design() { return design_; }
    const Design& design() const { return design_; }
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }

    // The file the design was opened from or last saved to; empty for a new design.
    const QString& filePath() const { return filePath_; }
    void setFilePath(const QString& path);
    // What the caption calls a design without a file: "New", or the name it was
    // imported or recovered under.
    const QString& displayName() const { return displayName_; }
    void setDisplayName(const QString& name);

    // Differs from its file.
    bool isModified() const { return history_.isModified(); }
    // The design was written to `path`: that is its file now, and it matches it.
    void savedAs(const QString& path);

    // The window's caption: the file (else the display name), a star while modified.
    QString caption() const;
    // The name without folder that the tool windows show: "rocket.kfx" for
    // ".../rocket.kfx"; the display name for a design without a file.
    QString fileName() const;
    // The name without folder and extension that save and export dialogs propose:
    // "rocket" for ".../rocket.ork".
    QString baseName() const;

signals:
    // The caption changed: a new file name or a change of the modified state.
    void captionChanged(const QString& caption);

private:
    // The file, else the display name.
    const QString& shownName() const { return filePath_.isEmpty() ? displayName_ : filePath_; }
    void reportCaption();

    Design design_;
    EditHistory history_{design_};
    QString filePath_;
    QString displayName_ = QStringLiteral("New");
    QString lastCaption_;
};

} // namespace vantor
