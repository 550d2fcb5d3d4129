#pragma once

#include "support/Named.h"
#include "toolwindows/ParametersDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace vantor::test {

// The parameters dialog's controls, found by their object names as a user's script or
// the translation pass finds them; the dialog keeps its widgets to itself.
struct ParametersControls {
    explicit ParametersControls(const TFormParametry& dialog) : dialog(dialog) {}

    const TFormParametry& dialog;
    QLabel* lCaption = &Named<QLabel>(dialog, "lCaption");
    QLineEdit* eCaption = &Named<QLineEdit>(dialog, "eCaption");
    QTabWidget* PageControl1 = &Named<QTabWidget>(dialog, "PageControl1");
    QWidget* TabMain = &Named<QWidget>(dialog, "TabMain");
    QWidget* TabStatecznik = &Named<QWidget>(dialog, "TabStatecznik");
    QWidget* TabBalast = &Named<QWidget>(dialog, "TabBalast");
    QLabel* lDlugosc = &Named<QLabel>(dialog, "lDlugosc");
    QDoubleSpinBox* sedlugosc = &Named<QDoubleSpinBox>(dialog, "sedlugosc");
    QLabel* lSrednica = &Named<QLabel>(dialog, "lSrednica");
    QDoubleSpinBox* sesrednica = &Named<QDoubleSpinBox>(dialog, "sesrednica");
    QLabel* lSrednica2 = &Named<QLabel>(dialog, "lSrednica2");
    QDoubleSpinBox* sesrednica2 = &Named<QDoubleSpinBox>(dialog, "sesrednica2");
    QFrame* PanelMaterial = &Named<QFrame>(dialog, "PanelMaterial");
    QLabel* lGrubosc = &Named<QLabel>(dialog, "lGrubosc");
    QDoubleSpinBox* segrubosc = &Named<QDoubleSpinBox>(dialog, "segrubosc");
    QLabel* lMaterial = &Named<QLabel>(dialog, "lMaterial");
    QComboBox* seMaterial = &Named<QComboBox>(dialog, "seMaterial");
    QFrame* PanelWaga = &Named<QFrame>(dialog, "PanelWaga");
    QLabel* lWaga = &Named<QLabel>(dialog, "lWaga");
    QDoubleSpinBox* seWaga = &Named<QDoubleSpinBox>(dialog, "seWaga");
    QPushButton* bOblicz = &Named<QPushButton>(dialog, "bOblicz");
    QLabel* lA = &Named<QLabel>(dialog, "lA");
    QDoubleSpinBox* seA = &Named<QDoubleSpinBox>(dialog, "seA");
    QLabel* lB = &Named<QLabel>(dialog, "lB");
    QDoubleSpinBox* seB = &Named<QDoubleSpinBox>(dialog, "seB");
    QLabel* lC = &Named<QLabel>(dialog, "lC");
    QDoubleSpinBox* seC = &Named<QDoubleSpinBox>(dialog, "seC");
    QLabel* lD = &Named<QLabel>(dialog, "lD");
    QDoubleSpinBox* seD = &Named<QDoubleSpinBox>(dialog, "seD");
    QLabel* lIlefin = &Named<QLabel>(dialog, "lIlefin");
    QSpinBox* seilefin = &Named<QSpinBox>(dialog, "seilefin");
    QWidget* ImageFin = &Named<QWidget>(dialog, "ImageFin");
    QFrame* PanelMaterialMain = &Named<QFrame>(dialog, "PanelMaterialMain");
    QFrame* PanelWagaMain = &Named<QFrame>(dialog, "PanelWagaMain");
    QFrame* PanelMaterial2 = &Named<QFrame>(dialog, "PanelMaterial2");
    QFrame* PanelWaga2 = &Named<QFrame>(dialog, "PanelWaga2");
    QFrame* PanelWaga3 = &Named<QFrame>(dialog, "PanelWaga3");
    QLabel* lWaga3 = &Named<QLabel>(dialog, "lWaga3");
    QSpinBox* seWaga3 = &Named<QSpinBox>(dialog, "seWaga3");
    QPushButton* bOblicz3 = &Named<QPushButton>(dialog, "bOblicz3");
    QPushButton* bWybierzSilnik = &Named<QPushButton>(dialog, "bWybierzSilnik");
    QFrame* PanelPolozenie = &Named<QFrame>(dialog, "PanelPolozenie");
    QLabel* lPolozenie = &Named<QLabel>(dialog, "lPolozenie");
    QDoubleSpinBox* sePolozenie = &Named<QDoubleSpinBox>(dialog, "sePolozenie");
    QPushButton* bDoTylu = &Named<QPushButton>(dialog, "bDoTylu");
    QFrame* PanelPolozenieMain = &Named<QFrame>(dialog, "PanelPolozenieMain");
    QFrame* PanelPolozenie2 = &Named<QFrame>(dialog, "PanelPolozenie2");
    QFrame* PanelPolozenie3 = &Named<QFrame>(dialog, "PanelPolozenie3");
    QPushButton* BitBtn2 = &Named<QPushButton>(dialog, "BitBtn2");
    QPushButton* btnOK = &Named<QPushButton>(dialog, "btnOK");
};

inline ParametersControls Controls(const TFormParametry& dialog) {
    return ParametersControls(dialog);
}

} // namespace vantor::test
