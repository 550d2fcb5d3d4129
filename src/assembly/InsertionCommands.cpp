#include "assembly/InsertionCommands.h"

#include "canvas/DesignWindow.h"
#include "interaction/Interaction.h"
#include "model/AxisValues.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/Registry.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/ParametersDialog.h"

#include <QAction>
#include <QDialog>
#include <cmath>

namespace vantor {

namespace {

const QString NotAllowed = QStringLiteral("Not allowed");

} // namespace

InsertionCommands::InsertionCommands(InsertionContext context, TFormObject& objects,
                                     TFormParametry& dialog, Interaction& interaction,
                                     QObject* parent)
    : QObject(parent), context_(std::move(context)), objects_(objects), dialog_(dialog),
      interaction_(interaction) {}

TMDIChild* InsertionCommands::activeWindow() const {
    return context_.activeDesignWindow ? context_.activeDesignWindow() : nullptr;
}

void InsertionCommands::AGlowicaStozekExecute() {
    insert("TGlowicaStozek");
}
void InsertionCommands::AGlowicaOgiveExecute() {
    insert("TGlowicaOgive");
}
void InsertionCommands::AGlowicaParabolicExecute() {
    insert("TGlowicaParabolic");
}
void InsertionCommands::AKorpusExecute() {
    insert("TKorpus");
}
void InsertionCommands::AStozekScietyExecute() {
    insert("TStozekSciety");
}
void InsertionCommands::AEngineExecute() {
    insert("TEngine");
}
void InsertionCommands::AStatecznikExecute() {
    insert("TStatecznik");
}
void InsertionCommands::ABalastExecute() {
    insert("TBalast");
}

void InsertionCommands::addBallast(double weight) {
    TMDIChild* window = activeWindow();
    if (window == nullptr || !(weight > 0) || !std::isfinite(weight))
        return;
    Design& design = window->design();
    const auto& roots = design.tree.roots();
    if (roots.empty() ||
        CheckInsertion(design, "TBalast", roots.front()->element) != InsertionRefusal::None)
        return;
    ElementFields fields = DefaultFields("TBalast");
    fields.weight = static_cast<float>(weight);
    std::unique_ptr<DesignEdit> insertion =
        InsertElement(design, roots.front().get(), valuesOf("TBalast", fields));
    redraw();
    window->history().record(std::move(insertion));
}

bool InsertionCommands::runDialog(const TRocketElement& element) {
    dialog_.setElement(&element);
    dialog_.setFreshMode(true);
    dialog_.FormShow();
    return interaction_.runDialog(dialog_) == QDialog::Accepted;
}

void InsertionCommands::redraw() {
    if (TMDIChild* window = activeWindow())
        window->Redraw();
}

NewElement InsertionCommands::valuesOf(const char* kind, const ElementFields& fields) const {
    const TPen pen = context_.newShapePen ? context_.newShapePen() : TPen{};
    return NewElement{kind, fields, pen.Width, pen.Color};
}

void InsertionCommands::insert(const char* kind) {
    TMDIChild* window = activeWindow();
    if (window == nullptr)
        return;
    Design& design = window->design();
    ElementTree::Node* selected = IsNoseKind(kind) ? nullptr : objects_.selectedNode();
    TRocketElement* parent = selected != nullptr ? selected->element : nullptr;
    switch (CheckInsertion(design, kind, parent)) {
    case InsertionRefusal::Silent:
        return;
    case InsertionRefusal::NotAllowed:
        interaction_.showMessage(context_.messageParent, NotAllowed, QString(),
                                 Interaction::Icon::None);
        return;
    case InsertionRefusal::None:
        break;
    }

    // The dialog edits a component of the kind that is not in the design yet; its
    // parent is set so that it proposes the parent's diameter.
    std::unique_ptr<TRocketElement> proposal = CreateElement(kind);
    WriteFields(*proposal, NewElementFields(kind));
    proposal->Parent = parent;

    if (KindOf(*proposal).finSet) {
        // The fin set is inserted first, from whatever the fin fields hold, and asked
        // about afterwards; a cancelled dialog takes it out again and leaves no step.
        const ElementFields fields = dialog_.withFinSizesShown(FieldsOf(*proposal));
        std::unique_ptr<DesignEdit> insertion =
            InsertElement(design, selected, valuesOf(kind, fields));
        window->history().announceChange();
        redraw();
        TRocketElement& added = *InsertedElement(*insertion);
        if (runDialog(added)) {
            // Part of the insertion: one step, whose recording shows the fin set's caption.
            WriteFields(added, dialog_.acceptedFields());
            redraw();
            window->history().record(std::move(insertion));
            return;
        }
        insertion->undo(design);
        window->history().announceChange();
        objects_.selectNode(selected);
        redraw();
        return;
    }

    if (!runDialog(*proposal))
        return;
    NewElement values = valuesOf(kind, dialog_.acceptedFields());
    values.weightGiven = dialog_.weightGiven();
    std::unique_ptr<DesignEdit> insertion = InsertElement(design, selected, values);
    redraw();
    window->history().record(std::move(insertion));
}

} // namespace vantor
