#pragma once

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

    TMainForm& main_;
    TFormObject& objects_;
    TFormParametry& dialog_;
    Interaction& interaction_;
};

} // namespace vantor
