#pragma once

#include "i18n/RuntimeTexts.h"
#include "model/Quantities.h"
#include "output/OutputTexts.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace vantor {

class DesignWindows;
class FileHistory;
class Interaction;
class TMDIChild;

// The File menu's printing and export commands: print, print preview, and the PDF and
// SVG exports of the active design. Every dialog goes through the interaction seam; a
// failed write is reported and leaves no partial file.
class OutputCommands : public QObject {
    Q_OBJECT

public:
    // Creates the actions on the main window (so that they are translated with it),
    // takes over `print` and puts the others into `menu` right after it.
    OutputCommands(QWidget& window, DesignWindows& windows, Interaction& interaction,
                   FileHistory& history, QAction& print, QMenu& menu);

    // Enabled exactly while a design window is open.
    void setAvailable(bool available);
    // The units the parts list writes lengths and weights in; without it mm and g.
    void setUnitSource(std::function<UnitChoice()> source) { unitSource_ = std::move(source); }

    void print();
    void printPreview();
    void exportPdf();
    void exportSvg();

    // "Written: a.pdf" (the files' names, in the program's language) for the status bar.
    QString writtenText(const QStringList& files) const;
    // A message of printing or exporting, written in English by the core, in the program's
    // language.
    QString said(const std::string& message) const;

    QAction* FilePrintPreview = nullptr;
    QAction* FileExportPdf = nullptr;
    QAction* FileExportSvg = nullptr;

private:
    // The index of the item chosen in a list dialog, or -1 on Cancel.
    int choose(const QString& caption, const QStringList& items);
    void reportWriteFailure(const QString& file, const std::string& reason);
    // The name a save dialog proposes for the active design's export: in the folder last
    // used, named after the design.
    QString proposal(TMDIChild& design, const char* suffix) const;
    // An export wrote `file`: the folder is remembered and the status bar says so.
    void exported(const QString& file);
    // The words of printed pages and exported files in the program's language.
    OutputTexts outputTexts() const;

    QWidget& window_;
    DesignWindows& windows_;
    Interaction& interaction_;
    QAction& print_;
    FileHistory& history_;
    RuntimeTexts texts_;
    RuntimeTexts outputWords_;
    std::function<UnitChoice()> unitSource_;
    UnitChoice units() const { return unitSource_ ? unitSource_() : UnitChoice{}; }
};

} // namespace vantor
