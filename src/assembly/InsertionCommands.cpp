#include "assembly/InsertionCommands.h"

#include "canvas/DesignWindow.h"
#include "interaction/Interaction.h"
#include "model/AxisValues.h"
#include "model/FinSet.h"
#include "model/Registry.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/ParametersDialog.h"

#include <QAction>
#include <QDialog>
#include <QSpinBox>

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
    insertNose("TGlowicaStozek", true);
}
void InsertionCommands::AGlowicaOgiveExecute() {
    insertNose("TGlowicaOgive", false);
}
void InsertionCommands::AGlowicaParabolicExecute() {
    insertNose("TGlowicaParabolic", false);
}
void InsertionCommands::AKorpusExecute() {
    insertSized("TKorpus", false);
}
void InsertionCommands::AStozekScietyExecute() {
    insertSized("TStozekSciety", true);
}
void InsertionCommands::AEngineExecute() {
    insertSized("TEngine", false);
}
void InsertionCommands::AStatecznikExecute() {
    insertFinSet();
}
void InsertionCommands::ABalastExecute() {
    insertBallast();
}

bool InsertionCommands::runDialog(TRocketElement& element) {
    dialog_.setElement(&element);
    dialog_.setFreshMode(true);
    dialog_.FormShow();
    return interaction_.runDialog(dialog_) == QDialog::Accepted;
}

void InsertionCommands::redraw() {
    if (TMDIChild* window = activeWindow())
        window->Redraw();
}

TRocketElement& InsertionCommands::registerElement(std::unique_ptr<TRocketElement> element,
                                                   bool asChild) {
    TMDIChild* window = activeWindow();
    if (context_.newShapePen)
        element->Pen = context_.newShapePen();
    element->Points = {TPoints{}};
    element->Selected = false;
    TRocketElement& registered = *element;
    ElementTree::Node* anchor = asChild ? objects_.selectedNode() : nullptr;
    objects_.addElementNode(window->design().addElement(std::move(element), anchor));
    return registered;
}

void InsertionCommands::placeBehindParent(TRocketElement& element) {
    const TRocketElement* parent = element.Parent;
    const double front = parent != nullptr && !parent->Points.empty() ? parent->Points[0].x : 0;
    const double length = parent != nullptr ? parent->Length : 0;
    element.Translate(front + length, AxisY);
}

void InsertionCommands::insertNose(const char* kind, bool redrawBeforeComputing) {
    TMDIChild* window = activeWindow();
    if (window == nullptr || !window->design().tree.empty())
        return;
    std::unique_ptr<TRocketElement> nose = CreateElement(kind);
    if (!runDialog(*nose))
        return;
    nose->Length = static_cast<float>(dialog_.sedlugosc->value());
    nose->DiameterA = static_cast<float>(dialog_.sesrednica->value());
    nose->Thickness = static_cast<float>(dialog_.segrubosc->value());
    TRocketElement& registered = registerElement(std::move(nose), false);
    registered.Points.resize(3);
    registered.Translate(50, 300);
    AxisY = static_cast<float>(registered.Points[0].y - registered.DiameterA * 0.5);
    OriginX = static_cast<float>(registered.Points[0].x);
    if (redrawBeforeComputing)
        redraw();
    registered.ComputeWeight();
    registered.ComputeCG();
    registered.ComputeCP();
    if (!redrawBeforeComputing)
        redraw();
}

std::unique_ptr<TRocketElement> InsertionCommands::startAttaching(const char* kind) {
    TMDIChild* window = activeWindow();
    if (window == nullptr || window->design().tree.empty())
        return nullptr;
    std::unique_ptr<TRocketElement> element = CreateElement(kind);
    if (element->ClassName == "TBalast")
        element->Weight = 40;
    const ElementTree::Node* selected = objects_.selectedNode();
    // Attaching needs a component to attach to; nothing selected, and a component at the
    // deepest level a design may have, are refused like a component that may not be a
    // parent.
    if (selected == nullptr || selected->element == nullptr ||
        !IsAttachmentAllowed(*element, *selected->element) ||
        !ElementTree::canAttachBelow(selected)) {
        interaction_.showMessage(context_.messageParent, NotAllowed, QString(),
                                 Interaction::Icon::None);
        return nullptr;
    }
    element->Parent = selected->element;
    return element;
}

void InsertionCommands::insertSized(const char* kind, bool copyRearDiameter) {
    std::unique_ptr<TRocketElement> element = startAttaching(kind);
    if (!element || !runDialog(*element))
        return;
    element->Length = static_cast<float>(dialog_.sedlugosc->value());
    element->DiameterA = static_cast<float>(dialog_.sesrednica->value());
    element->Thickness = static_cast<float>(dialog_.segrubosc->value());
    if (copyRearDiameter)
        element->DiameterB = static_cast<float>(dialog_.sesrednica2->value());
    TRocketElement& registered = registerElement(std::move(element), true);
    registered.Points.resize(4);
    placeBehindParent(registered);
    registered.ComputeWeight();
    registered.ComputeCG();
    redraw();
}

void InsertionCommands::insertBallast() {
    std::unique_ptr<TRocketElement> ballast = startAttaching("TBalast");
    if (!ballast || !runDialog(*ballast))
        return;
    TRocketElement& registered = registerElement(std::move(ballast), true);
    placeBehindParent(registered);
    redraw();
}

void InsertionCommands::insertFinSet() {
    std::unique_ptr<TRocketElement> element = startAttaching("TStatecznik");
    if (!element)
        return;
    // The fin set is inserted first, from whatever the fin fields hold, and asked about
    // afterwards.
    auto& fins = static_cast<TStatecznik&>(*element);
    fins.FinA = static_cast<float>(dialog_.seA->value());
    fins.FinB = static_cast<float>(dialog_.seB->value());
    fins.FinC = static_cast<float>(dialog_.seC->value());
    fins.FinD = static_cast<float>(dialog_.seD->value());
    TRocketElement& registered = registerElement(std::move(element), true);
    registered.Points.resize(4);
    placeBehindParent(registered);
    registered.ComputeWeight();
    registered.ComputeCG();
    redraw();
    if (runDialog(registered)) {
        redraw();
        return;
    }
    // Cancelled: the fin set leaves the design, which is as it was before the command.
    ElementTree::Node* node = objects_.selectedNode();
    ElementTree::Node* parent = node != nullptr ? node->parent : nullptr;
    objects_.deleteSubtree(node);
    objects_.selectNode(parent);
    redraw();
}

} // namespace vantor
