#include "editing/DesignDocument.h"

#include <QFileInfo>

namespace vantor {

DesignDocument::DesignDocument(QObject* parent) : QObject(parent), lastCaption_(caption()) {
    connect(&history_, &EditHistory::modifiedChanged, this, [this] { reportCaption(); });
}

void DesignDocument::setFilePath(const QString& path) {
    filePath_ = path;
    displayName_ = path;
    reportCaption();
}

void DesignDocument::setDisplayName(const QString& name) {
    displayName_ = name;
    reportCaption();
}

void DesignDocument::savedAs(const QString& path) {
    setFilePath(path);
    history_.markSaved();
}

QString DesignDocument::caption() const {
    const QString& name = shownName();
    return isModified() ? name + QLatin1Char('*') : name;
}

QString DesignDocument::fileName() const {
    const QString& name = shownName();
    const QString file = QFileInfo(name).fileName();
    return file.isEmpty() ? name : file;
}

QString DesignDocument::baseName() const {
    const QString& name = shownName();
    const QString base = QFileInfo(name).completeBaseName();
    return base.isEmpty() ? name : base;
}

void DesignDocument::reportCaption() {
    const QString now = caption();
    if (now == lastCaption_)
        return;
    lastCaption_ = now;
    emit captionChanged(now);
}

} // namespace vantor
