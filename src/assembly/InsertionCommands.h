#pragma once

#include "editing/DesignEdits.h"
#include "model/Shaped.h"

#include <QObject>
#include <functional>
#include <memory>

class QWidget;

namespace vantor {

class Interaction;
class TFormObject;
class TFormParametry;
class TMDIChild;
class TRocketElement;

// What the commands need of the program around them.
struct InsertionContext {
    QWidget* messageParent = nullptr;               // the window "Not allowed" shows over
    std::function<TMDIChild*()> activeDesignWindow; // null when none is open
    std::function<TPen()> newShapePen;              // the pen every new shape gets
};

// The eight commands that add a component to the active design: the three nose cones
// start a design; the other five attach to the component selected in the object window.
class InsertionCommands : public QObject {
    Q_OBJECT

public:
    InsertionCommands(InsertionContext context, TFormObject& objects, TFormParametry& dialog,
                      Interaction& interaction, QObject* parent = nullptr);

    void AGlowicaStozekExecute();
    void AGlowicaOgiveExecute();
    void AGlowicaParabolicExecute();
    void AKorpusExecute();
    void AStozekScietyExecute();
    void AEngineExecute();
    void AStatecznikExecute();
    void ABalastExecute();
    // Puts a ballast of `weight` grams on the nose, at its tip, as one step without a
    // dialog: the ballast the stability analysis asks for.
    void addBallast(double weight);

private:
    // Runs the whole command for a component of `kind`.
    void insert(const char* kind);
    bool runDialog(const TRocketElement& element);
    // The values the new component gets: its fields and the current pen.
    NewElement valuesOf(const char* kind, const ElementFields& fields) const;
    void redraw();

    TMDIChild* activeWindow() const;

    InsertionContext context_;
    TFormObject& objects_;
    TFormParametry& dialog_;
    Interaction& interaction_;
};

} // namespace vantor
