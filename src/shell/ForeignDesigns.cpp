#include "shell/ForeignDesigns.h"

#include "designfile/DesignFile.h"
#include "editing/DesignDocument.h"
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

std::optional<ImportReport> ImportIntoDocument(DesignDocument& document, const QString& name,
                                               const QString& programDirectory,
                                               Interaction& interaction, QWidget* parent) {
    const MotorLibrary motors = ProgramMotors(programDirectory);
    const ImportResult result =
        ImportForeignDesign(name.toStdString(), document.design(), LookupInLibrary(motors));
    if (!result.ok) {
        interaction.showMessage(parent, QString::fromStdString(result.message),
                                QString::fromUtf8(ReadErrorCaption), Interaction::Icon::Error);
        document.setDisplayName(name);
        return std::nullopt;
    }
    // A new design named after its source, with changes to keep.
    document.setDisplayName(QFileInfo(name).completeBaseName());
    document.history().markModified();
    return result.report;
}

namespace {

// The report's texts in the language libraries: the line patterns from 6104, what
// happened from 6110 in the order of ImportEvent, the shape words from 6150.
constexpr int FirstLineTextId = 6104, FirstEventTextId = 6110, FirstWordTextId = 6150;
constexpr int LineTextCount = 4;

QLabel* HiddenReportText(QWidget* owner, const QString& name) {
    auto* label = new QLabel(owner);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace

TFormImportReport::TFormImportReport(LanguageSession& language, const ImportReport& report,
                                     QWidget* parent)
    : TAdvForm(language, parent), report_(report) {
    setObjectName("FormImportReport");
    auto* layout = new QVBoxLayout(this);
    LabelImportReport = new QLabel(this);
    LabelImportReport->setObjectName("LabelImportReport");
    layout->addWidget(LabelImportReport);
    MemoImportReport = new QPlainTextEdit(this);
    MemoImportReport->setObjectName("MemoImportReport");
    MemoImportReport->setReadOnly(true);
    MemoImportReport->setMinimumSize(560, 240);
    layout->addWidget(MemoImportReport);
    auto* buttons = new QDialogButtonBox(this);
    btnOK = new QPushButton(this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    buttons->addButton(btnOK, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    for (int i = 0; i < LineTextCount; ++i)
        lineTexts_.push_back(
            HiddenReportText(this, QStringLiteral("lRaport%1").arg(FirstLineTextId + i)));
    for (std::size_t i = 0; i < ImportEventCount; ++i)
        eventTexts_.push_back(HiddenReportText(
            this, QStringLiteral("lZdarzenie%1").arg(FirstEventTextId + static_cast<int>(i))));
    for (std::size_t i = 0; i < ImportWordCount; ++i)
        wordTexts_.push_back(HiddenReportText(
            this, QStringLiteral("lSlowo%1").arg(FirstWordTextId + static_cast<int>(i))));
    tagTexts();
    TranslateForm();
    showReport();
}

// Puts the tagged default texts back, so that the form can be translated (again).
void TFormImportReport::tagTexts() {
    setWindowTitle(Tagged(6100));
    LabelImportReport->setText(Tagged(report_.entries.empty() ? 6103 : 6101));
    btnOK->setText(Tagged(6102));
    for (std::size_t i = 0; i < lineTexts_.size(); ++i)
        lineTexts_[i]->setText(Tagged(FirstLineTextId + static_cast<int>(i)));
    for (std::size_t i = 0; i < eventTexts_.size(); ++i)
        eventTexts_[i]->setText(Tagged(FirstEventTextId + static_cast<int>(i)));
    for (std::size_t i = 0; i < wordTexts_.size(); ++i)
        wordTexts_[i]->setText(Tagged(FirstWordTextId + static_cast<int>(i)));
}

bool TFormImportReport::Retranslate() {
    tagTexts();
    const bool translated = TranslateForm();
    showReport();
    return translated;
}

ImportReportTexts TFormImportReport::ReportTexts() const {
    ImportReportTexts texts;
    texts.leftOutLine = lineTexts_[0]->text().toStdString();
    texts.approximatedLine = lineTexts_[1]->text().toStdString();
    texts.withMass = lineTexts_[2]->text().toStdString();
    texts.decimalPoint = lineTexts_[3]->text().toStdString();
    for (std::size_t i = 0; i < ImportEventCount; ++i)
        texts.events[i] = eventTexts_[i]->text().toStdString();
    for (std::size_t i = 0; i < ImportWordCount; ++i)
        texts.words[i] = wordTexts_[i]->text().toStdString();
    return texts;
}

void TFormImportReport::showReport() {
    QStringList text;
    text << QString::fromStdString(report_.source + " (" + report_.format +
                                   "): " + report_.rocketName);
    for (const std::string& line : ImportReportLines(report_, ReportTexts()))
        text << QString::fromStdString(line);
    MemoImportReport->setPlainText(text.join(QLatin1Char('\n')));
}

void ShowImportReport(const ImportReport& report, LanguageSession& language,
                      Interaction& interaction, QWidget* parent) {
    TFormImportReport dialog(language, report, parent);
    interaction.runDialog(dialog);
}

} // namespace vantor
