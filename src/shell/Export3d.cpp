#include "shell/Export3d.h"

#include "mesh/MeshFiles.h"
#include "interaction/Interaction.h"

#include <QComboBox>
#include <QDialogButtonBox>
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

QString Model3dFilters() {
    QStringList filters;
    for (const FilterFormat& f : Filters)
        filters << QString::fromLatin1(f.filter);
    return filters.join(QStringLiteral(";;"));
}

void ExportModel3d(QWidget* parent, const Design& design, LanguageSession& language,
                   Interaction& interaction) {
    bool parts = false;
    {
        TFormExport3d dialog(language, parent);
        if (interaction.runDialog(dialog) != QDialog::Accepted)
            return;
        parts = dialog.separateParts();
    }
    QString filter = QString::fromLatin1(Filters[0].filter);
    QString name =
        interaction.chooseFileAndFilterToSave(parent, QString(), Model3dFilters(), filter);
    if (name.isEmpty())
        return;
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
                                  file.completeBaseName().toStdString(), *format)
              : mesh::ExportAssembly(design, name.toStdString(), *format);
    if (!result.ok)
        interaction.showMessage(parent,
                                QStringLiteral("Nie można zapisać modelu 3D\n") +
                                    QString::fromStdString(result.reason),
                                QStringLiteral("Vantor"), Interaction::Icon::Error);
}

} // namespace vantor
