#pragma once

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

private:
    void insertNose(const char* kind, bool redrawBeforeComputing);
    void insertSized(const char* kind, bool copyRearDiameter);
    void insertFinSet();
    void insertBallast();
    // The common start of the attaching commands: the element, with its parent set,
    // or nothing when the command refuses.
    std::unique_ptr<TRocketElement> startAttaching(const char* kind);
    bool runDialog(TRocketElement& element);
    // Registers the element in the design and the object window and returns it.
    TRocketElement& registerElement(std::unique_ptr<TRocketElement> element, bool asChild);
    void placeBehindParent(TRocketElement& element);
    void redraw();

    TMDIChild* activeWindow() const;

    InsertionContext context_;
    TFormObject& objects_;
    TFormParametry& dialog_;
    Interaction& interaction_;
};

} // namespace vantor
