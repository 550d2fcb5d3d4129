#pragma once

#include "editing/ElementFields.h"
#include "i18n/AdvForm.h"
#include "i18n/RuntimeTexts.h"
#include "model/Quantities.h"

#include <QDialog>
#include <QHash>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QDoubleSpinBox;
class QSpinBox;
class QTabWidget;

namespace vantor {

class Interaction;
class TRocketElement;

// The element parameters dialog: one element's caption, sizes, wall thickness,
// material and weight, or a fin set's fin dimensions and count. Created once and
// reused, so its fields keep their last values between uses.
//
// Use: setElement(), setFreshMode(true) for an element that is being inserted, then
// FormShow() and Interaction::runDialog(). FormShow() loads a copy of the element's
// fields and ends fresh mode, so it runs once per run: a show event that follows an
// explicit FormShow() does not run it again, and when a caller leaves it out the show
// event runs it. A run that never shows the dialog (a scripted one) needs the explicit
// call.
//
// The dialog edits only its copy and never writes into the element: the result is
// Accepted after a valid OK, with the values in acceptedFields() for the caller to hand
// to the editing layer as one step, and Rejected after Cancel or closing the window,
// which leaves nothing to put back.
class TFormParametry : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    TFormParametry(LanguageSession& language, Interaction& interaction, QWidget* parent = nullptr);
    // Translates the captions; false when the language library failed.
    bool FormCreate() { return TranslateForm(); }

    // The element whose fields the dialog loads; not owned, never written. It must
    // outlive the dialog's run. Its fields are copied at once, so that OK never hands
    // back another element's values even before FormShow() ran.
    void setElement(const TRocketElement* element);
    const TRocketElement* element() const { return element_; }
    // The fields as the last valid OK took them from the controls: the loaded copy with
    // every shown field's value (a field still showing what it was loaded with gives
    // back the exact value it was loaded with).
    const ElementFields& acceptedFields() const { return accepted_; }
    // `fields` with the fin sizes (A to D) the fin page holds now, in millimetres: those
    // of the last fin set shown, as the user left them; before any, the sizes a new fin
    // set starts with.
    ElementFields withFinSizesShown(ElementFields fields) const;
    // Fresh mode proposes the parent's diameter and a computed weight; it lasts for
    // one showing.
    void setFreshMode(bool fresh) { freshMode_ = fresh; }
    bool freshMode() const { return freshMode_; }
    // False only after a refused OK, until Cancel or a valid OK.
    bool mayClose() const { return mayClose_; }

    // Whether the element's own node in the design's tree has child nodes. Without it,
    // or for an element not in the tree yet, the element counts as childless.
    void setHasChildNodes(std::function<bool(const TRocketElement&)> hasChildNodes) {
        hasChildNodes_ = std::move(hasChildNodes);
    }
    // Opens the motor chooser for a motor component with the fields as entered; gives
    // the fields with the chosen motor, or nothing when none was chosen. Without it the
    // "choose motor" button stays hidden.
    using MotorChooserHook =
        std::function<std::optional<ElementFields>(const TRocketElement&, const ElementFields&)>;
    void setMotorChooser(MotorChooserHook chooser) { motorChooser_ = std::move(chooser); }
    // The units the size and weight fields show, read at every showing; without it
    // millimetres and grams.
    void setUnitSource(std::function<UnitChoice()> source) { unitSource_ = std::move(source); }
    // "Choose motor": puts the chosen motor's sizes, weight and caption into the fields;
    // OK then accepts them together.
    void bWybierzSilnikClick();
    // "Flush with the rear": puts into the position field the position at which the
    // component's rear end meets its parent's.
    void bDoTyluClick();

    // Loads a copy of the element's fields and shows the page of its kind.
    void FormShow();
    // OK: checks the values against the parent; takes them as the accepted fields and
    // closes, or says "not allowed" and stays open.
    void btnOKClick();
    // Cancel: lets the window close and closes it with Rejected.
    void BitBtn2Click();
    // "oblicz": shows the weight the weight rule gives the fields as entered.
    void bObliczClick();
    // A material chosen from the list: the edited fields take its density at once.
    void seMaterialChange(int index);
    // Whether the window may close now.
    bool FormClose() const { return mayClose_; }
    // Whether the weight of the last run was given by the user (typed, or a chosen
    // motor's) rather than the one the dialog proposed or computed; an inserted component
    // keeps a given weight instead of computing its own.
    bool weightGiven() const;

    // Escape and the close box end here; refused while the window may not close.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    QLabel* lCaption = nullptr;
    QLineEdit* eCaption = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabMain = nullptr;
    QWidget* TabStatecznik = nullptr;
    QWidget* TabBalast = nullptr;

    QLabel* lDlugosc = nullptr;
    QDoubleSpinBox* sedlugosc = nullptr;
    QLabel* lSrednica = nullptr;
    QDoubleSpinBox* sesrednica = nullptr;
    QLabel* lSrednica2 = nullptr;
    QDoubleSpinBox* sesrednica2 = nullptr;

    QFrame* PanelMaterial = nullptr;
    QLabel* lGrubosc = nullptr;
    QDoubleSpinBox* segrubosc = nullptr;
    QLabel* lMaterial = nullptr;
    QComboBox* seMaterial = nullptr;

    QFrame* PanelWaga = nullptr;
    QLabel* lWaga = nullptr;
    QDoubleSpinBox* seWaga = nullptr;
    QPushButton* bOblicz = nullptr;

    QLabel* lA = nullptr;
    QDoubleSpinBox* seA = nullptr;
    QLabel* lB = nullptr;
    QDoubleSpinBox* seB = nullptr;
    QLabel* lC = nullptr;
    QDoubleSpinBox* seC = nullptr;
    QLabel* lD = nullptr;
    QDoubleSpinBox* seD = nullptr;
    QLabel* lIlefin = nullptr;
    QSpinBox* seilefin = nullptr;
    QWidget* ImageFin = nullptr;

    QFrame* PanelMaterialMain = nullptr;
    QFrame* PanelWagaMain = nullptr;
    QFrame* PanelMaterial2 = nullptr;
    QFrame* PanelWaga2 = nullptr;
    QFrame* PanelWaga3 = nullptr;
    QLabel* lWaga3 = nullptr;
    QSpinBox* seWaga3 = nullptr;
    QPushButton* bOblicz3 = nullptr;

    QPushButton* bWybierzSilnik = nullptr;

    // The position along the parent (motor, fin set, ballast), moved to the page shown.
    QFrame* PanelPolozenie = nullptr;
    QLabel* lPolozenie = nullptr;
    QDoubleSpinBox* sePolozenie = nullptr;
    QPushButton* bDoTylu = nullptr;
    QFrame* PanelPolozenieMain = nullptr;
    QFrame* PanelPolozenie2 = nullptr;
    QFrame* PanelPolozenie3 = nullptr;

    QPushButton* BitBtn2 = nullptr; // Cancel
    QPushButton* btnOK = nullptr;

    void buildTopStrip();
    void buildMainPage();
    void buildFinPage();
    void buildBallastPage();
    void buildMovingPanels();
    void buildBottomStrip();
    void fillMaterials();
    void moveInto(QFrame* panel, QFrame* holder);
    // Refuses OK when a shown size is zero, negative or not a number, naming the field.
    bool refuseUnusableSize();
    // Refuses OK when the position is not on the parent, naming the field.
    bool refuseUnfittingPosition();
    // Refuses OK when a field's text is no length or weight, naming the field and why.
    bool refuseUnreadableField();
    // The reason-free refusal test of OK; true when the values may be accepted.
    bool valuesAllowed() const;
    // The fields as the dialog's controls hold them.
    ElementFields enteredFields() const;
    // Shows `exact` in `field`, remembering it: while the field still shows it, OK gives
    // `exact` back, so that a field the user did not change keeps every decimal.
    void showValue(QDoubleSpinBox* field, float exact);
    // The value a field stands for: its remembered exact value while it still shows
    // that, else what it holds.
    float enteredValue(const QDoubleSpinBox* field) const;

    Interaction& interaction_;
    const TRocketElement* element_ = nullptr;
    bool mayClose_ = true;
    bool freshMode_ = false;
    // FormShow() ran for the coming show event.
    bool preparedForShow_ = false;
    // The element's fields as FormShow() loaded them, and the copy the run edits: the
    // controls hold most fields, the copy the rest (the density a chosen material sets).
    std::optional<ElementFields> shownFields_;
    ElementFields edited_;
    ElementFields accepted_;
    std::function<bool(const TRocketElement&)> hasChildNodes_;
    MotorChooserHook motorChooser_;
    std::function<UnitChoice()> unitSource_;
    // Why a typed length or weight was not taken, in the dialog's language.
    RuntimeTexts quantityProblems_{*this, "QuantityProblem", {6400, 6401, 6402, 6403, 6404}};
    struct ShownValue {
        double shown; // as the field rounds it
        float exact;
    };
    QHash<const QDoubleSpinBox*, ShownValue> shownValues_;
    // A motor was chosen in this run; its weight counts as given.
    bool motorChosen_ = false;
};

} // namespace vantor
