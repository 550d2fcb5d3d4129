#pragma once

#include "exchange/DesignImport.h"
#include "i18n/AdvForm.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vantor {

class Interaction;
class DesignDocument;

// The open dialog's filters: every design the program opens first, then each format.
QString OpenDesignFilters();

// Whether the file is a design of another program (by its extension).
bool IsForeignDesign(const QString& name);

// Imports the design of another program into the document's (empty) design with the
// motors of the program's motor library. The design is new and unsaved: it is named after
// the source and has no file, so that saving asks for a design file and the source is
// never written. A file that cannot be read is reported by the interaction seam and
// gives nothing.
std::optional<ImportReport> ImportIntoDocument(DesignDocument& document, const QString& name,
                                               const QString& programDirectory,
                                               Interaction& interaction, QWidget* parent);

// The list of what an import approximated or left out, in the chosen language: the form
// carries every text of the report as a hidden translated label and renders the report's
// entries from them.
class TFormImportReport : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    TFormImportReport(LanguageSession& language, const ImportReport& report,
                      QWidget* parent = nullptr);

    // Translates the form again with the language chosen now and shows the report in it.
    bool Retranslate();

    // The report's texts in the language the form was translated into.
    ImportReportTexts ReportTexts() const;

    QLabel* LabelImportReport = nullptr;
    QPlainTextEdit* MemoImportReport = nullptr;
    QPushButton* btnOK = nullptr;

private:
    void tagTexts();
    void showReport();

    ImportReport report_;
    std::vector<QLabel*> lineTexts_;  // left out, approximated, with its mass, decimal point
    std::vector<QLabel*> eventTexts_; // one per ImportEvent
    std::vector<QLabel*> wordTexts_;  // one per ImportWord
};

// Shows the report of an import through the interaction seam.
void ShowImportReport(const ImportReport& report, LanguageSession& language,
                      Interaction& interaction, QWidget* parent);

} // namespace vantor
