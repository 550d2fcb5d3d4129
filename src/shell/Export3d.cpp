#include "shell/Export3d.h"

#include "interaction/Interaction.h"
#include "mesh/MeshFiles.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantor {

namespace {

struct FilterFormat {
    const char* filter;
    mesh::MeshFormat format;
};

constexpr FilterFormat Filters[] = {
    {"STL (*.stl)", mesh::MeshFormat::Stl},
    {"OBJ (*.obj)", mesh::MeshFormat::Obj},
    {"3MF (*.3mf)", mesh::MeshFormat::ThreeMf},
};

} // namespace

TFormExport3d::TFormExport3d(LanguageSession& language, QWidget* parent)
    : TAdvForm(language, parent) {
    setObjectName("FormExport3d");
    setWindowTitle(Tagged(1772));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* label = new QLabel(Tagged(1773), this);
    label->setObjectName("LabelLayout3d");
    cbLayout3d = new QComboBox(this);
    cbLayout3d->setObjectName("cbLayout3d");
    cbLayout3d->addItems({Tagged(1774), Tagged(1775)});
    form->addRow(label, cbLayout3d);
    auto* tipLabel = new QLabel(Tagged(1828), this);
    tipLabel->setObjectName("LabelTip3d");
    sedTip3d = new QDoubleSpinBox(this);
    sedTip3d->setObjectName("sedTip3d");
    sedTip3d->setRange(0, 5);
    sedTip3d->setDecimals(2);
    sedTip3d->setSingleStep(0.1);
    sedTip3d->setValue(mesh::DefaultTipWidth);
    form->addRow(tipLabel, sedTip3d);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    btnOK = new QPushButton(Tagged(1776), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnCancel = new QPushButton(Tagged(1777), this);
    btnCancel->setObjectName("btnCancel");
    buttons->addButton(btnOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    TranslateForm();
}

bool TFormExport3d::separateParts() const {
    return cbLayout3d->currentIndex() == 1;
}

double TFormExport3d::tipWidth() const {
    return sedTip3d->value();
}

QString Model3dFilters() {
    QStringList filters;
    for (const FilterFormat& f : Filters)
        filters << QString::fromLatin1(f.filter);
    return filters.join(QStringLiteral(";;"));
}

QStringList ExportModel3d(QWidget* parent, const Design& design, LanguageSession& language,
                          Interaction& interaction, const QString& proposedName,
                          const std::function<QString(const std::string&)>& say) {
    bool parts = false;
    mesh::SolidOptions options;
    {
        TFormExport3d dialog(language, parent);
        if (interaction.runDialog(dialog) != QDialog::Accepted)
            return {};
        parts = dialog.separateParts();
        options.tipWidth = dialog.tipWidth();
    }
    QString filter = QString::fromLatin1(Filters[0].filter);
    QString name =
        interaction.chooseFileAndFilterToSave(parent, proposedName, Model3dFilters(), filter);
    if (name.isEmpty())
        return {};
    std::optional<mesh::MeshFormat> format = mesh::FormatOfPath(name.toStdString());
    if (!format) {
        format = mesh::MeshFormat::Stl;
        for (const FilterFormat& f : Filters)
            if (filter == QLatin1String(f.filter))
                format = f.format;
        name += QString::fromLatin1(mesh::ExtensionOf(*format));
    }
    const QFileInfo file(name);
    const mesh::MeshExportResult result =
        parts ? mesh::ExportParts(design, file.absolutePath().toStdString(),
                                  file.completeBaseName().toStdString(), *format, options)
              : mesh::ExportAssembly(design, name.toStdString(), *format, options);
    if (!result.ok) {
        const auto text = [&say](const std::string& english) {
            return say ? say(english) : QString::fromStdString(english);
        };
        interaction.showMessage(parent,
                                text("The 3D model cannot be written") + QLatin1Char('\n') +
                                    text(result.reason),
                                QStringLiteral("Vantor"), Interaction::Icon::Error);
        return {};
    }
    QStringList written;
    for (const std::filesystem::path& path : result.written)
        written << QString::fromStdString(path.string());
    return written;
}

} // namespace vantor
