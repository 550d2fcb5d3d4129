#pragma once

#include <QString>

namespace vantor {

// Where the toolbar layout files are read and written. Beside the program when its
// folder can be written and is the program's own copy, as a program run from its own
// folder expects; otherwise in the user's configuration folder, where the program
// folder's file is still read until the user has one of their own. An installed program
// folder (one holding InstalledMarkerName, which installing puts there) is never written
// to, even when this process could, as the system administrator can: files left there
// belong to no user and outlive the package.
class LayoutFiles {
public:
    static constexpr char InstalledMarkerName[] = "installed-copy";

    LayoutFiles(QString programDirectory, QString userDirectory, bool programFolderWritable);
    // For a program folder as it is now, with the application's configuration folder
    // (QStandardPaths::AppConfigLocation) as the user's folder.
    static LayoutFiles forProgramFolder(const QString& programDirectory);

    bool inUserFolder() const { return !programFolderWritable_; }
    // The file to load `name` from.
    QString toRead(const char* name) const;
    // The file to save `name` to; creates the user's folder when that is the place.
    QString toWrite(const char* name) const;

private:
    QString programDirectory_;
    QString userDirectory_;
    bool programFolderWritable_;
};

} // namespace vantor
