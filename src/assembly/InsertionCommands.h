#pragma once

#include "editing/DesignEdits.h"

#include <QObject>
#include <memory>

namespace vantor {

class Interaction;
class TFormObject;
class TFormParametry;
class TMainForm;
class TRocketElement;

// The eight commands that add a component to the active design: the three nose cones
// start a design; the other five attach to the component selected in the object window.
class InsertionCommands : public QObject {
    Q_OBJECT

public:
    InsertionCommands(TMainForm& main, TFormObject& objects, TFormParametry& dialog,
                      Interaction& interaction);

    void AGlowicaStozekExecute();
    void AGlowicaOgiveExecute();
    void AGlowicaParabolicExecute();
    void AKorpusExecute();
    void AStozekScietyExecute();
    void AEngineExecute();
    void AStatecznikExecute();
    void ABalastExecute();

private:
    // Runs the whole command for a component of `kind`.
    void insert(const char* kind);
    bool runDialog(TRocketElement& element);
    // The values the new component gets: the dialog's fields and the current pen.
    NewElement valuesOf(const char* kind, const TRocketElement& element) const;
    // Adds the component to the object window and shows the design.
    void show(const DesignEdit& insertion);
    void redraw();

    TMainForm& main_;
    TFormObject& objects_;
    TFormParametry& dialog_;
    Interaction& interaction_;
};

} // namespace vantor
