#include "shell/OutputCommands.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "i18n/AdvForm.h"
#include "i18n/MessagePatterns.h"
#include "interaction/Interaction.h"
#include "output/OutputFiles.h"
#include "output/PrintPages.h"
#include "shell/DesignWindows.h"
#include "shell/FileHistory.h"

#include <QAction>
#include <QFileInfo>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

namespace vantor {

namespace {

QAction* MakeAction(QWidget* owner, const char* name, int caption, int hint) {
    auto* action = new QAction(Tagged(caption), owner);
    action->setObjectName(name);
    action->setToolTip(Tagged(hint));
    return action;
}

// The design's name on its pages: the window's title without folder and extension.
QString DesignTitle(const DesignWindows& windows) {
    const QString title = windows.activeTitle();
    const QString base = QFileInfo(title).completeBaseName();
    return base.isEmpty() ? title : base;
}

QString WithSuffix(QString name, const char* suffix) {
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + QLatin1String(suffix);
    return name;
}

// The words of the output said in the program's language, by their English text.
constexpr std::pair<int, const char*> OutputWords[] = {{6640, "conical nose"},
                                                       {6641, "ogive nose"},
                                                       {6642, "parabolic nose"},
                                                       {6643, "body tube"},
                                                       {6644, "engine mount"},
                                                       {6645, "motor"},
                                                       {6646, "transition"},
                                                       {6647, "fin set"},
                                                       {6648, "ballast"},
                                                       {6650, "Weight"},
                                                       {6651, "Calibers"},
                                                       {6652, "Length"},
                                                       {6653, "Rocket"},
                                                       {6654, "Stable"},
                                                       {6655, "Unstable"},
                                                       {6656, "Summary"},
                                                       {6657, "Reference diameter"},
                                                       {6658, "Ballast needed"},
                                                       {6659, "Ballast position"}};

// The messages of printing and exporting, by the English pattern the core writes them in.
constexpr std::pair<int, const char*> OutputMessages[] = {
    {6660, "the output would take %1 pages, more than the limit of %2"},
    {6661, "the output would draw %1 elements and dimensions over its pages, more than the limit "
           "of %2"},
    {6662, "a template would need a sheet larger than the limit of %1 m"},
    {6663, "the side view is too large for an SVG drawing"},
    {6664, "the design has no fin set, conical nose or transition to cut"},
    {6665, "the paper is too small for the pages"},
    {6666, "the pages cannot be started"},
    {6667, "the pages cannot be written"},
    {6668, "the sheet is too small to hold anything"},
    {6669, "the paper cannot be set up"},
    {6670, "the parts would take %1 files, more than the limit of %2"},
    {6671, "the %1 output would take about %2 MB, more than the limit of %3 MB"},
    {6672, "The design holds nothing to print: no nose cone, body tube, transition or fin set"},
    {6673, "The 3D model cannot be written"}};

void PreparePrinter(QPrinter& printer) {
    printer.setPageLayout(MakePageLayout({}));
    printer.setDocName(QStringLiteral("Vantor"));
}

} // namespace

OutputCommands::OutputCommands(QWidget& window, DesignWindows& windows, Interaction& interaction,
                               FileHistory& history, QAction& print, QMenu& menu)
    : QObject(&window), window_(window), windows_(windows), interaction_(interaction),
      print_(print), history_(history), texts_(window, "OutputText",
                                               {1707, 1756, 1757, 1758, 1759, 1760, 1761, 1820,
                                                1821, 1822, 1823, 1824, 1825, 1826, 1827, 1843}),
      outputWords_(window, "OutputWord",
                   {6610, 6611, 6612, 6613, 6614, 6615, 6616, 6617, 6618, 6619, 6620, 6621,
                    6622, 6623, 6624, 6625, 6626, 6627, 6628, 6629, 6630, 6631, 6632, 6633,
                    6634, 6640, 6641, 6642, 6643, 6644, 6645, 6646, 6647, 6648, 6650, 6651,
                    6652, 6653, 6654, 6655, 6656, 6657, 6658, 6659, 6660, 6661, 6662, 6663,
                    6664, 6665, 6666, 6667, 6668, 6669, 6670, 6671, 6672, 6673}) {
    FilePrintPreview = MakeAction(&window, "FilePrintPreview", 1754, 1755);
    FileExportPdf = MakeAction(&window, "FileExportPdf", 1750, 1751);
    FileExportSvg = MakeAction(&window, "FileExportSvg", 1752, 1753);
    const QList<QAction*> items = menu.actions();
    const qsizetype at = items.indexOf(&print);
    QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    menu.insertActions(before, {FilePrintPreview, FileExportPdf, FileExportSvg});
    connect(&print, &QAction::triggered, this, &OutputCommands::print);
    connect(FilePrintPreview, &QAction::triggered, this, &OutputCommands::printPreview);
    connect(FileExportPdf, &QAction::triggered, this, &OutputCommands::exportPdf);
    connect(FileExportSvg, &QAction::triggered, this, &OutputCommands::exportSvg);
    setAvailable(false);
}

void OutputCommands::setAvailable(bool available) {
    for (QAction* action : {&print_, FilePrintPreview, FileExportPdf, FileExportSvg})
        action->setEnabled(available);
}

int OutputCommands::choose(const QString& caption, const QStringList& items) {
    QInputDialog dialog(&window_);
    dialog.setObjectName("OutputChoice");
    dialog.setWindowTitle(caption);
    dialog.setLabelText(caption);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    if (interaction_.runDialog(dialog) != QDialog::Accepted)
        return -1;
    return static_cast<int>(items.indexOf(dialog.textValue()));
}

QString OutputCommands::said(const std::string& message) const {
    std::vector<MessagePattern> patterns;
    for (const auto& [id, english] : OutputMessages)
        patterns.emplace_back(QString::fromUtf8(english), outputWords_(id));
    return TranslatedMessage(QString::fromStdString(message), patterns);
}

void OutputCommands::reportWriteFailure(const QString& file, const std::string& reason) {
    interaction_.showMessage(&window_, file + QLatin1Char('\n') + said(reason),
                             QString::fromUtf8(WriteErrorCaption), Interaction::Icon::Error);
}

void OutputCommands::print() {
    TMDIChild* design = windows_.active();
    if (design == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, &window_);
    if (interaction_.runDialog(dialog) != QDialog::Accepted)
        return;
    // The paper and orientation are the user's; the margins stay those of the pages.
    printer.setPageMargins(QMarginsF(PageMargin, PageMargin, PageMargin, PageMargin),
                           QPageLayout::Millimeter);
    const PagesResult printed =
        PaintDesignPages(design->placedDesign(), DesignTitle(windows_), printer, outputTexts());
    if (!printed.ok)
        interaction_.showMessage(&window_, said(printed.reason), texts_(1707),
                                 Interaction::Icon::Error);
}

void OutputCommands::printPreview() {
    TMDIChild* design = windows_.active();
    if (design == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog dialog(&printer, &window_);
    dialog.setObjectName("PrintPreview");
    const QString title = DesignTitle(windows_);
    const OutputTexts texts = outputTexts();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        target->setPageMargins(QMarginsF(PageMargin, PageMargin, PageMargin, PageMargin),
                               QPageLayout::Millimeter);
        PaintDesignPages(design->placedDesign(), title, *target, texts);
    });
    interaction_.runDialog(dialog);
}

void OutputCommands::exportPdf() {
    TMDIChild* design = windows_.active();
    if (design == nullptr)
        return;
    const Paper papers[] = {Paper::A4, Paper::Letter, Paper::A3};
    const char* names[] = {"A4", "Letter", "A3"};
    QStringList items;
    for (const char* name : names)
        for (const int orientation : {1757, 1758})
            items << QStringLiteral("%1, %2").arg(QLatin1String(name), texts_(orientation));
    const int choice = choose(texts_(1756), items);
    if (choice < 0)
        return;
    const PageSetup setup{papers[choice / 2], choice % 2 == 1};
    QString file = interaction_.chooseFileToSave(&window_, proposal(*design, "pdf"),
                                                 QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    file = WithSuffix(file, "pdf");
    const OutputResult written = WriteDesignPdf(design->placedDesign(), DesignTitle(windows_), setup,
                                                file.toStdString(), outputTexts());
    if (!written.ok)
        reportWriteFailure(file, written.reason);
    else
        exported(file);
}

void OutputCommands::exportSvg() {
    TMDIChild* design = windows_.active();
    if (design == nullptr)
        return;
    const int choice = choose(texts_(1759), {texts_(1760), texts_(1761)});
    if (choice < 0)
        return;
    TemplateSvgOptions options;
    options.texts = outputTexts();
    if (choice == 1) {
        // The sheet the templates are nested on: papers, and a common laser bed.
        static constexpr SheetSize Sheets[] = {{210, 297}, {297, 420}, {215.9, 279.4}, {600, 400}};
        const int sheet =
            choose(texts_(1820), {texts_(1821), texts_(1822), texts_(1823), texts_(1824)});
        if (sheet < 0)
            return;
        options.sheet = Sheets[sheet];
        const int texts = choose(texts_(1825), {texts_(1826), texts_(1827)});
        if (texts < 0)
            return;
        options.textAsOutlines = texts == 1;
    }
    QString file = interaction_.chooseFileToSave(&window_, proposal(*design, "svg"),
                                                 QStringLiteral("SVG (*.svg)"));
    if (file.isEmpty())
        return;
    file = WithSuffix(file, "svg");
    const OutputResult written =
        choice == 0 ? WriteSideViewSvg(design->placedDesign(), DesignTitle(windows_), file.toStdString())
                    : WriteTemplatesSvg(design->placedDesign(), DesignTitle(windows_), file.toStdString(),
                                        options);
    if (!written.ok) {
        reportWriteFailure(file, written.reason);
        return;
    }
    exported(file);
    if (!written.note.empty())
        interaction_.showMessage(&window_,
                                 file + QLatin1Char('\n') + QString::fromStdString(written.note),
                                 texts_(1820), Interaction::Icon::Information);
}

OutputTexts OutputCommands::outputTexts() const {
    const auto text = [this](int id) {
        return outputWords_(id).toStdString();
    };
    // Each pattern of the output and the language-library text that says it.
    static constexpr std::pair<int, std::string OutputTexts::*> Patterns[] = {
        {6610, &OutputTexts::pageLabel},
        {6611, &OutputTexts::tileLabel},
        {6612, &OutputTexts::sideViewPage},
        {6613, &OutputTexts::templatePage},
        {6614, &OutputTexts::templatesPage},
        {6615, &OutputTexts::partsListPage},
        {6625, &OutputTexts::sheetTitle},
        {6626, &OutputTexts::finSetTemplate},
        {6627, &OutputTexts::markingGuideTemplate},
        {6628, &OutputTexts::noseWrapTemplate},
        {6629, &OutputTexts::transitionWrapTemplate},
        {6630, &OutputTexts::materialAndCount},
        {6631, &OutputTexts::glueTab},
        {6632, &OutputTexts::rootEdge},
        {6633, &OutputTexts::tubeFront},
        {6634, &OutputTexts::largerThanSheet}};
    OutputTexts texts;
    texts.units = units();
    for (const auto& [id, member] : Patterns)
        texts.*member = text(id);
    for (std::size_t i = 0; i < texts.partsListHeader.size(); ++i)
        texts.partsListHeader[i] = text(6616 + static_cast<int>(i));
    for (const auto& [id, english] : OutputWords)
        texts.words[english] = text(id);
    return texts;
}

QString OutputCommands::proposal(TMDIChild& design, const char* suffix) const {
    return history_.proposal(design.document().baseName() + QLatin1Char('.') +
                             QLatin1String(suffix));
}

void OutputCommands::exported(const QString& file) {
    history_.used(file);
    if (auto* main = qobject_cast<QMainWindow*>(&window_))
        main->statusBar()->showMessage(writtenText({file}));
}

QString OutputCommands::writtenText(const QStringList& files) const {
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    return texts_(1843) + names.join(QStringLiteral(", "));
}

} // namespace vantor
