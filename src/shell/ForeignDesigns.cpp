#include "shell/ForeignDesigns.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "interaction/Interaction.h"
#include "motors/MotorLibrary.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace vantor {

namespace {

// The motor files the program reads: its own data/motors and the user's motor folder.
MotorLibrary ProgramMotors(const QString& programDirectory) {
    std::vector<std::filesystem::path> folders{
        QDir(programDirectory).filePath(QStringLiteral("data/motors")).toStdString()};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        folders.emplace_back(QDir(data).filePath(QStringLiteral("Vantor/motors")).toStdString());
    return LoadMotorLibrary(folders);
}

} // namespace

QString OpenDesignFilters() {
    return QStringLiteral("All designs (*.kfx *.ork *.rkt);;projekt (*.kfx);;OpenRocket (*.ork);;"
                          "RockSim (*.rkt)");
}

bool IsForeignDesign(const QString& name) {
    return ForeignFormatOf(name.toStdString()) != ForeignFormat::None;
}

std::optional<ImportReport> ImportIntoWindow(TMDIChild& window, const QString& name,
                                             const QString& programDirectory,
                                             Interaction& interaction, QWidget* parent) {
    const MotorLibrary motors = ProgramMotors(programDirectory);
    const ImportResult result =
        ImportForeignDesign(name.toStdString(), window.design(), LookupInLibrary(motors));
    if (!result.ok) {
        interaction.showMessage(parent, QString::fromStdString(result.message),
                                QString::fromUtf8(ReadErrorCaption), Interaction::Icon::Error);
        window.history().setDisplayName(name);
        return std::nullopt;
    }
    // A new design named after its source, with changes to keep.
    window.history().setDisplayName(QFileInfo(name).completeBaseName());
    window.history().markModified();
    return result.report;
}

TFormImportReport::TFormImportReport(LanguageSession& language, const ImportReport& report,
                                     QWidget* parent)
    : TAdvForm(language, parent) {
    setObjectName("FormImportReport");
    setWindowTitle(Tagged(6100));
    auto* layout = new QVBoxLayout(this);
    const std::vector<std::string> lines = ImportReportLines(report);
    LabelImportReport = new QLabel(Tagged(lines.empty() ? 6103 : 6101), this);
    LabelImportReport->setObjectName("LabelImportReport");
    layout->addWidget(LabelImportReport);
    MemoImportReport = new QPlainTextEdit(this);
    MemoImportReport->setObjectName("MemoImportReport");
    MemoImportReport->setReadOnly(true);
    QStringList text;
    text << QString::fromStdString(report.source + " (" + report.format + "): " + report.rocketName);
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    MemoImportReport->setPlainText(text.join(QLatin1Char('\n')));
    MemoImportReport->setMinimumSize(560, 240);
    layout->addWidget(MemoImportReport);
    auto* buttons = new QDialogButtonBox(this);
    btnOK = new QPushButton(Tagged(6102), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    buttons->addButton(btnOK, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    TranslateForm();
}

void ShowImportReport(const ImportReport& report, LanguageSession& language,
                      Interaction& interaction, QWidget* parent) {
    TFormImportReport dialog(language, report, parent);
    interaction.runDialog(dialog);
}

} // namespace vantor
