#include "i18n/LanguageSession.h"
#include "toolwindows/ParametersDialog.h"

#include "editing/ElementDefaults.h"
#include "model/FinSet.h"
#include "model/Materials.h"
#include "model/Registry.h"
#include "support/DesignBuilder.h"
#include "support/ParametersControls.h"
#include "support/ScriptedInteraction.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <limits>

using namespace vantor;

namespace {

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

// One dialog on one design, wired as the program wires it: the tree answers whether an
// element has child nodes, and accepted values count redraws.
struct Fixture {
    test::ScriptedInteraction interaction;
    LanguageSession language{interaction};
    TFormParametry dialog{language, interaction};
    test::ParametersControls ui{dialog};
    TRocketElement* editing = nullptr; // what an accepted run is written into
    Design design;
    test::DesignBuilder builder{design};
    int redraws = 0;

    Fixture() {
        dialog.setHasChildNodes([this](const TRocketElement& e) {
            const ElementTree::Node* node = design.tree.nodeOf(&e);
            return node != nullptr && !node->children.empty();
        });
        // As the callers do: accepted fields are written into the element and redrawn.
        QObject::connect(&dialog, &QDialog::accepted, [this] {
            if (editing != nullptr)
                WriteFields(*editing, dialog.acceptedFields());
            ++redraws;
        });
    }
    Fixture(const Fixture&) = delete;

    // Prepares the dialog the way its callers do before running it.
    void open(TRocketElement& element, bool fresh = false) {
        editing = &element;
        dialog.setElement(&element);
        dialog.setFreshMode(fresh);
        dialog.FormShow();
    }
    void showReally(TRocketElement& element, bool fresh = false) {
        editing = &element;
        dialog.setElement(&element);
        dialog.setFreshMode(fresh);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    int refusals() const {
        int count = 0;
        for (const auto& message : interaction.messages)
            count += message.text == "not allowed" && message.caption.isEmpty() &&
                     message.icon == Interaction::Icon::None;
        return count;
    }
    // The nose (diameter 50) and a body tube (diameter 50) under it.
    TRocketElement& tube() {
        auto& nose = builder.nose("TGlowicaStozek", 200, 50);
        auto& body = builder.attach("TKorpus", nose);
        body.DiameterA = 50;
        return body;
    }
};

void GiveFinsSizes(TStatecznik& fins) {
    fins.FinA = 90;
    fins.FinB = 50;
    fins.FinC = 50;
    fins.FinD = 40;
}

void TypeInto(QAbstractSpinBox* spin, const QString& text) {
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, text);
    spin->interpretText();
}

} // namespace

class TestParametersDialog : public QObject {
    Q_OBJECT

private slots:
    void showingLoadsFixedCentredDialog() {
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        QCOMPARE(f.dialog.size(), QSize(366, 342));
        QCOMPARE(f.dialog.minimumSize(), f.dialog.maximumSize());
        const QPoint offCentre =
            f.dialog.geometry().center() - f.dialog.screen()->geometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 40, qPrintable(QString::number(offCentre.x())));
        QVERIFY(!f.ui.PageControl1->tabBar()->isVisible());

        // Every showing loads the element, also after a hide that was no close.
        f.dialog.hide();
        f.showReally(*body.Parent);
        QCOMPARE(f.ui.sedlugosc->value(), 200.0);
    }

    // Every identifier the translation pass looks up is carried exactly once.
    void captionsCarryEachIdentifierOnce() {
        Fixture f;
        QStringList texts{f.dialog.windowTitle()};
        for (auto* label : f.dialog.findChildren<QLabel*>())
            texts << label->text();
        for (auto* button : f.dialog.findChildren<QPushButton*>())
            texts << button->text();
        for (int i = 0; i < f.ui.PageControl1->count(); ++i)
            texts << f.ui.PageControl1->tabText(i);
        for (auto* widget : f.dialog.findChildren<QWidget*>())
            texts << widget->toolTip();
        QList<int> found;
        for (const QString& text : texts)
            if (text.contains('@'))
                found << text.section('@', 1).toInt();
        std::sort(found.begin(), found.end());
        QList<int> expected{5501, 5504, 5506, 5507, 5508};
        for (int id = 5510; id <= 5524; ++id)
            expected << id;
        expected << 5530 << 6600 << 6601 << 6602; // motor chooser; position, flush, hint
        QCOMPARE(found, expected);
        for (const char* name : {"eCaption",      "sedlugosc",
                                 "sesrednica",    "sesrednica2",
                                 "segrubosc",     "seMaterial",
                                 "seWaga",        "bOblicz",
                                 "seA",           "seB",
                                 "seC",           "seD",
                                 "seilefin",      "PanelMaterial",
                                 "PanelWaga",     "PanelMaterialMain",
                                 "PanelWagaMain", "PanelMaterial2",
                                 "PanelWaga2",    "PanelWaga3",
                                 "TabMain",       "TabStatecznik",
                                 "TabBalast",     "ImageFin"})
            QVERIFY2(f.dialog.findChild<QWidget*>(name) != nullptr, name);
    }

    void okChecksDiametersAgainstParent_data() {
        QTest::addColumn<QString>("parentKind");
        QTest::addColumn<float>("parentA");
        QTest::addColumn<float>("parentB");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("diameterA");
        QTest::addColumn<int>("diameterB");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("transition, equal diameters")
            << "TKorpus" << 50.f << 0.f << "TStozekSciety" << 40 << 40 << false;
        QTest::newRow("transition, narrowing")
            << "TKorpus" << 50.f << 0.f << "TStozekSciety" << 40 << 30 << true;
        QTest::newRow("tube under nose 50 gets 51")
            << "TGlowicaStozek" << 50.f << 0.f << "TKorpus" << 51 << 0 << false;
        QTest::newRow("tube under nose 50 gets 50")
            << "TGlowicaStozek" << 50.f << 0.f << "TKorpus" << 50 << 0 << true;
        QTest::newRow("tube under transition to 70 gets 70")
            << "TStozekSciety" << 40.f << 70.f << "TKorpus" << 70 << 0 << true;
        QTest::newRow("tube under transition to 70 gets 71")
            << "TStozekSciety" << 40.f << 70.f << "TKorpus" << 71 << 0 << false;
        QTest::newRow("past a fractional parent diameter")
            << "TKorpus" << 50.5f << 0.f << "TEngine" << 51 << 0 << false;
        // Their pages have no diameter field, so a stale diameter cannot block them.
        QTest::newRow("fin set on a narrowed tube")
            << "TKorpus" << 30.f << 0.f << "TStatecznik" << 50 << 0 << true;
        QTest::newRow("ballast on a narrowed tube")
            << "TKorpus" << 30.f << 0.f << "TBalast" << 50 << 0 << true;
    }
    void okChecksDiametersAgainstParent() {
        QFETCH(QString, parentKind);
        QFETCH(float, parentA);
        QFETCH(float, parentB);
        QFETCH(QString, kind);
        QFETCH(int, diameterA);
        QFETCH(int, diameterB);
        QFETCH(bool, accepted);
        Fixture f;
        auto& nose = f.builder.nose("TGlowicaStozek", 200, 60);
        auto& parent = f.builder.attach(parentKind.toStdString(), nose);
        parent.DiameterA = parentA;
        parent.DiameterB = parentB;
        auto& element = f.builder.attach(kind.toStdString(), parent);
        element.DiameterA = static_cast<float>(diameterA);
        if (auto* fins = dynamic_cast<TStatecznik*>(&element))
            GiveFinsSizes(*fins);
        const float oldB = element.DiameterB;
        f.open(element);
        f.ui.sesrednica->setValue(diameterA);
        f.ui.sesrednica2->setValue(diameterB);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);

        QCOMPARE(f.dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(f.refusals(), accepted ? 0 : 1);
        QCOMPARE(f.dialog.mayClose(), accepted);
        QCOMPARE(f.redraws, accepted ? 1 : 0);
        QCOMPARE(element.DiameterB, accepted ? static_cast<float>(diameterB) : oldB);
    }

    void elementWithChildrenCannotBeShortened_data() {
        QTest::addColumn<bool>("withChild");
        QTest::addColumn<float>("length");
        QTest::addColumn<double>("typed");
        QTest::addColumn<bool>("obliczFirst");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("shortened") << true << 500.f << 499.0 << false << false;
        QTest::newRow("kept") << true << 500.f << 500.0 << false << true;
        QTest::newRow("lengthened") << true << 500.f << 600.0 << false << true;
        QTest::newRow("childless, shortened") << false << 500.f << 100.0 << false << true;
        QTest::newRow("fractional length kept as shown")
            << true << 500.5f << 500.5 << false << true;
        QTest::newRow("shortened by its fraction") << true << 500.5f << 500.0 << false << false;
        QTest::newRow("shortened by oblicz first") << true << 500.f << 400.0 << true << false;
    }
    void elementWithChildrenCannotBeShortened() {
        QFETCH(bool, withChild);
        QFETCH(float, length);
        QFETCH(double, typed);
        QFETCH(bool, obliczFirst);
        QFETCH(bool, accepted);
        Fixture f;
        auto& body = f.tube();
        body.Length = length;
        if (withChild)
            f.builder.attach("TStatecznik", body);
        f.open(body);
        f.ui.sedlugosc->setValue(typed);
        if (obliczFirst)
            QTest::mouseClick(f.ui.bOblicz, Qt::LeftButton);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.refusals(), accepted ? 0 : 1);
        QCOMPARE(f.dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
    }

    // A new element has no node yet, so shortening it is never refused.
    void newElementOutsideTheTreeMayBeShortened() {
        Fixture f;
        auto& body = f.tube();
        f.builder.attach("TStatecznik", body);
        auto fresh = CreateElement("TKorpus");
        fresh->Parent = &body;
        f.open(*fresh, true);
        f.ui.sedlugosc->setValue(1);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.dialog.result(), QDialog::Accepted);
        QCOMPARE(fresh->Length, 1.f);
    }

    void refusedOkKeepsWindowOpen_data() {
        QTest::addColumn<bool>("leaveByCancel");
        QTest::newRow("left by Cancel") << true;
        QTest::newRow("left by a valid OK") << false;
    }
    void refusedOkKeepsWindowOpen() {
        QFETCH(bool, leaveByCancel);
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        QCOMPARE(f.ui.sedlugosc->value(), 500.0); // loaded by the show event
        f.ui.sesrednica->setValue(51);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.refusals(), 1);
        QVERIFY(!f.dialog.close());
        QTest::keyClick(&f.dialog, Qt::Key_Escape);
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(f.ui.sesrednica->value(), 51.0);

        if (leaveByCancel) {
            QTest::mouseClick(f.ui.BitBtn2, Qt::LeftButton);
        } else {
            f.ui.sesrednica->setValue(50);
            QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        }
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), leaveByCancel ? QDialog::Rejected : QDialog::Accepted);
        QCOMPARE(f.redraws, leaveByCancel ? 0 : 1);
        QCOMPARE(body.DiameterA, 50.f);
    }

    void ballastShowsCaptionAndWeightOnly() {
        Fixture f;
        auto& body = f.tube();
        auto& ballast = f.builder.attach("TBalast", body);
        ballast.Weight = 40;
        f.showReally(ballast, true);
        auto& d = f.dialog;
        auto& u = f.ui;
        QCOMPARE(u.PageControl1->currentWidget(), u.TabBalast);
        QVERIFY(u.eCaption->isVisible());
        QVERIFY(u.seWaga->isVisible());
        QVERIFY(!u.bOblicz->isVisible());
        for (QWidget* hidden :
             std::initializer_list<QWidget*>{u.sedlugosc, u.sesrednica, u.segrubosc, u.seMaterial})
            QVERIFY(!hidden->isVisible());
        // The moved weight panel covers the holder's own controls: where the holder's
        // button lies, only the panel's plain background shows.
        QWidget* onTop = u.PanelWaga3->childAt(u.seWaga3->geometry().center());
        QVERIFY(onTop == u.PanelWaga || u.PanelWaga->isAncestorOf(onTop));
        const QImage shown = u.PanelWaga3->grab(u.bOblicz3->geometry()).toImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                QCOMPARE(shown.pixel(x, y), shown.pixel(0, 0));

        QCOMPARE(u.seWaga->value(), 40.0);
        d.bObliczClick(); // "oblicz" never changes a ballast's weight
        QCOMPARE(u.seWaga->value(), 40.0);
        u.seWaga->setValue(55);
        QTest::mouseClick(u.bOblicz3, Qt::LeftButton);
        QCOMPARE(u.seWaga->value(), 55.0);
        QTest::mouseClick(u.btnOK, Qt::LeftButton);
        QCOMPARE(ballast.Weight, 55.f);

        f.showReally(body); // the next kind gets its button back
        QCOMPARE(u.PageControl1->currentWidget(), u.TabMain);
        QVERIFY(u.bOblicz->isVisible());
        QVERIFY(!u.sesrednica2->isVisible());
    }

    void finSetPageLoadsAndWritesFins() {
        Fixture f;
        auto& body = f.tube();
        auto& fins = f.builder.attach<TStatecznik>("TStatecznik", body);
        fins.FinA = 11.9f;
        fins.FinB = 22;
        fins.FinC = 33;
        fins.FinD = 44;
        fins.FinCount = 4;
        f.open(fins);
        auto& u = f.ui;
        QCOMPARE(u.PageControl1->currentWidget(), u.TabStatecznik);
        QCOMPARE(u.PanelMaterial->parentWidget(), u.PanelMaterial2);
        QCOMPARE(u.PanelWaga->parentWidget(), u.PanelWaga2);
        QCOMPARE(u.seA->value(), 11.9);
        QCOMPARE(u.seD->value(), 44.0);
        QCOMPARE(u.seilefin->value(), 4);
        QTest::keyClick(u.seilefin, Qt::Key_Up);
        QCOMPARE(u.seilefin->value(), 4);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(u.seilefin, Qt::Key_Down);
        QCOMPARE(u.seilefin->value(), 2);

        u.seA->setValue(120);
        QTest::mouseClick(u.btnOK, Qt::LeftButton);
        QCOMPARE(fins.FinA, 120.f);
        QCOMPARE(fins.FinCount, 2);
        // The outline is rebuilt at once: the root chord now spans 120.
        QCOMPARE(fins.Points[3].x - fins.Points[0].x, 120.0);
    }

    void materialListAndNewElementWeight() {
        Fixture f;
        auto& body = f.tube();
        auto fresh = CreateElement("TKorpus"); // 500 x 50, wall 2
        fresh->Parent = &body;
        f.open(*fresh, true);
        auto& u = f.ui;
        QCOMPARE(u.seMaterial->count(), 8);
        QCOMPARE(u.seMaterial->itemText(7), QString("Iron"));
        QCOMPARE(u.seMaterial->itemData(7).toFloat(), 0.0078f);
        QCOMPARE(u.seMaterial->currentIndex(), -1);
        QCOMPARE(u.seWaga->value(), 102.1); // paper: pi x 50 x 500 x 2 x 0.00065

        // An existing element's material is selected by exact name without touching
        // its density; the list is built only once.
        body.Material = "Wood";
        body.Density = 0.5f;
        f.open(body);
        QCOMPARE(u.seMaterial->count(), 8);
        QCOMPARE(u.seMaterial->currentText(), QString("Wood"));
        QCOMPARE(body.Density, 0.5f);
        body.Material = "wood";
        f.open(body);
        QCOMPARE(u.seMaterial->currentIndex(), -1);
    }

    void ironTubeWeighs1225() {
        Fixture f;
        auto& body = f.tube();
        auto fresh = CreateElement("TKorpus");
        fresh->Parent = &body;
        f.open(*fresh, true);
        auto& u = f.ui;
        u.sedlugosc->setValue(500);
        u.sesrednica->setValue(50);
        u.segrubosc->setValue(2);
        u.seMaterial->setFocus();
        QTest::keyClicks(u.seMaterial, "Iron");
        QTest::mouseClick(u.bOblicz, Qt::LeftButton); // weighs with the chosen density
        QCOMPARE(u.seWaga->value(), 1225.22);
        // The run edits a copy: nothing reaches the element before OK.
        QCOMPARE(FieldsOf(*fresh), DefaultFields("TKorpus"));
        QTest::mouseClick(u.btnOK, Qt::LeftButton);
        QCOMPARE(fresh->Density, 0.0078f);
        QCOMPARE(fresh->Material, std::string("Iron"));
        const float written = fresh->Weight;
        QVERIFY(std::abs(written - 1225.22f) < 0.005f);
        // Every decimal stays, not only the shown two.
        QCOMPARE(written, static_cast<float>(fresh->ComputeWeight()));
    }

    // "oblicz" weighs the fin set as entered, from its outline rebuilt on a copy: more
    // fins or a longer root weigh more, and the element itself keeps its fields.
    void obliczWeighsFinsAsEnteredWithoutWriting_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("ratio");     // of the computed weight to the loaded one
        QTest::addColumn<double>("tolerance"); // relative; the area is sampled on a grid
        QTest::newRow("as loaded") << "" << 0.0 << 1.0 << 1e-5;
        QTest::newRow("four fins instead of three") << "seilefin" << 4.0 << 4.0 / 3.0 << 1e-5;
        QTest::newRow("twice the wall") << "segrubosc" << 4.0 << 2.0 << 1e-5;
        // The outline is rebuilt from the entered root chord: (180 + 50) / (90 + 50).
        QTest::newRow("root chord doubled") << "seA" << 180.0 << 230.0 / 140.0 << 0.03;
    }
    void obliczWeighsFinsAsEnteredWithoutWriting() {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(double, ratio);
        QFETCH(double, tolerance);
        Fixture f;
        auto& body = f.tube();
        auto& fins = f.builder.attach<TStatecznik>("TStatecznik", body);
        GiveFinsSizes(fins);
        fins.Thickness = 2;
        f.builder.place();
        const double loaded = fins.ComputeWeight();
        QVERIFY(loaded > 0);
        const ElementFields before = FieldsOf(fins);
        f.open(fins);
        if (field == "seilefin")
            f.ui.seilefin->setValue(static_cast<int>(value));
        else if (!field.isEmpty())
            f.dialog.findChild<QDoubleSpinBox*>(field)->setValue(value);
        f.dialog.bObliczClick();
        const double shown = f.ui.seWaga->value();
        QVERIFY2(std::abs(shown - loaded * ratio) <= 0.005 + tolerance * loaded * ratio,
                 qPrintable(QString::number(shown / loaded)));
        QCOMPARE(FieldsOf(fins), before);
    }

    void freshModeProposesJoiningDiameter_data() {
        QTest::addColumn<QString>("parentKind"); // empty: no parent
        QTest::addColumn<bool>("fresh");
        QTest::addColumn<double>("expected");
        QTest::newRow("under a nose") << "TGlowicaStozek" << true << 60.0;
        QTest::newRow("under a transition") << "TStozekSciety" << true << 70.0;
        QTest::newRow("not fresh: own diameter") << "TStozekSciety" << false << 33.0;
        QTest::newRow("no parent keeps the field") << "" << true << 77.0;
    }
    void freshModeProposesJoiningDiameter() {
        QFETCH(QString, parentKind);
        QFETCH(bool, fresh);
        QFETCH(double, expected);
        Fixture f;
        auto& nose = f.builder.nose("TGlowicaStozek", 200, 60);
        TRocketElement* parent = &nose;
        if (parentKind == "TStozekSciety") {
            parent = &f.builder.attach("TStozekSciety", nose);
            parent->DiameterA = 40;
            parent->DiameterB = 70;
        }
        auto element = CreateElement("TKorpus");
        element->DiameterA = 33;
        element->Parent = parentKind.isEmpty() ? nullptr : parent;
        f.ui.sesrednica->setValue(77);
        f.open(*element, fresh);
        QCOMPARE(f.ui.sesrednica->value(), expected);
        QVERIFY(!f.dialog.freshMode()); // lasts one showing
    }

    void sizeFieldTakesWholeIntRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("largest") << QString::number(IntMax) << IntMax;
    }
    void sizeFieldTakesWholeIntRange() {
        QFETCH(QString, typed);
        QFETCH(int, value);
        Fixture f;
        auto& nose = f.builder.nose("TGlowicaStozek", 200, 50);
        f.showReally(nose);
        TypeInto(f.ui.sedlugosc, typed);
        QCOMPARE(f.ui.sedlugosc->value(), double(value));
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(nose.Length, static_cast<float>(value));
    }

    // The fields show two decimals, and OK writes back what the user did not change
    // exactly as it was: changing only the caption changes no number.
    void realValuesShowTwoDecimalsAndStayExact_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<double>("shown");
        QTest::newRow("fraction") << 7.1f << 7.1;
        QTest::newRow("three decimals") << 123.456f << 123.46;
        QTest::newRow("beyond int") << 1e12f << double(IntMax);
    }
    void realValuesShowTwoDecimalsAndStayExact() {
        QFETCH(float, value);
        QFETCH(double, shown);
        Fixture f;
        auto& nose = f.builder.nose("TGlowicaStozek", 200, 50);
        nose.Length = value;
        nose.Weight = value;
        nose.Thickness = value;
        f.showReally(nose);
        QCOMPARE(f.ui.sedlugosc->value(), shown);
        QCOMPARE(f.ui.seWaga->value(), shown);
        f.ui.eCaption->setText("renamed");
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(nose.Caption, std::string("renamed"));
        QCOMPARE(nose.Length, value);
        QCOMPARE(nose.Weight, value);
        QCOMPARE(nose.Thickness, value);
    }

    // A typed value counts with either decimal separator, whatever the system's is.
    void eitherDecimalSeparatorIsTaken_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("stored");
        QTest::newRow("point") << "12.5" << 12.5f;
        QTest::newRow("comma") << "12,5" << 12.5f;
        QTest::newRow("half") << "0.5" << 0.5f;
        QTest::newRow("whole") << "80" << 80.f;
    }
    void eitherDecimalSeparatorIsTaken() {
        QFETCH(QString, typed);
        QFETCH(float, stored);
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        TypeInto(f.ui.seWaga, typed);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(body.Weight, stored);
        QCOMPARE(body.Length, 500.f); // untouched
    }

    // A length or weight may be typed with its unit; OK stores it in mm or g.
    void lengthsAndWeightsAreTypedWithUnits_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("half an inch") << "sedlugosc"
                                      << "1/2 in" << 12.7;
        QTest::newRow("inches and a quarter") << "sedlugosc"
                                              << "3 1/4\"" << 82.55;
        QTest::newRow("glued inches") << "sedlugosc"
                                      << "1.5in" << 38.1;
        QTest::newRow("centimetres") << "sedlugosc"
                                     << "2,5 cm" << 25.0;
        QTest::newRow("feet") << "sedlugosc"
                              << "1 ft" << 304.8;
        QTest::newRow("wall in mm") << "segrubosc"
                                    << "0.5 mm" << 0.5;
        QTest::newRow("ounces") << "seWaga"
                                << "1 oz" << 28.349523125;
        QTest::newRow("kilograms") << "seWaga"
                                   << "0.2 kg" << 200.0;
    }
    void lengthsAndWeightsAreTypedWithUnits() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        auto* shown = f.dialog.findChild<QDoubleSpinBox*>(field);
        TypeInto(shown, typed);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        const ElementFields written = FieldsOf(body);
        const float value = field == "sedlugosc"   ? written.length
                            : field == "segrubosc" ? written.thickness
                                                   : written.weight;
        QCOMPARE(value, float(stored));
    }

    // Leaving a field converts what was typed into the field's unit.
    void leavingAFieldShowsTheValueInItsUnit() {
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        f.ui.sedlugosc->setFocus();
        QTest::keyClick(f.ui.sedlugosc, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(f.ui.sedlugosc, "1/8 in");
        QTest::keyClick(f.ui.sedlugosc, Qt::Key_Tab);
        QCOMPARE(f.ui.sedlugosc->text(), "3" + QLocale().decimalPoint() + "17 mm");
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(body.Length, 3.175f); // as typed, not as rounded for showing
    }

    // A text that is no length is refused at OK, naming the field and why, whether OK
    // comes by Enter in the field or by a click that took the focus away first.
    void unreadableLengthsAreRefusedWithTheReason_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("enter");
        QTest::newRow("over zero, Enter") << "1/0 in"
                                          << "dzielenie przez zero" << true;
        QTest::newRow("over zero, click") << "1/0 in"
                                          << "dzielenie przez zero" << false;
        QTest::newRow("unknown unit, click") << "12 yd"
                                             << "nieznana jednostka" << false;
        QTest::newRow("empty, Enter") << ""
                                      << "brak wartości" << true;
    }
    void unreadableLengthsAreRefusedWithTheReason() {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QFETCH(bool, enter);
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        f.dialog.activateWindow();
        f.ui.sedlugosc->setFocus();
        QTest::keyClick(f.ui.sedlugosc, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f.ui.sedlugosc, Qt::Key_Delete);
        QTest::keyClicks(f.ui.sedlugosc, typed);
        if (enter)
            QTest::keyClick(f.ui.sedlugosc, Qt::Key_Return);
        else
            QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.interaction.messages.size(), 1);
        QCOMPARE(f.interaction.messages[0].text,
                 "not allowed\n" + f.ui.lDlugosc->text() + "\n" + reason);
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(body.Length, 500.f);
        QCOMPARE(f.ui.sedlugosc->text(), typed); // back to be corrected
    }

    // A text refused on a page another kind shows, or in a run given up, does not hold
    // up the next run.
    void aRefusedTextStaysWithItsRun() {
        Fixture f;
        auto& body = f.tube();
        auto& fins = static_cast<TStatecznik&>(f.builder.attach("TStatecznik", body));
        GiveFinsSizes(fins);
        f.showReally(fins);
        f.ui.seA->setFocus();
        QTest::keyClick(f.ui.seA, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(f.ui.seA, "9 yd");
        f.ui.eCaption->setFocus(); // the field goes back to its value
        QTest::mouseClick(f.ui.BitBtn2, Qt::LeftButton);
        QCOMPARE(fins.FinA, 90.f);
        f.showReally(body);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QVERIFY(f.interaction.messages.isEmpty());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    }

    // A size no part can have is refused naming its field, which is left ready to be
    // typed over; the element keeps its values and the dialog stays open.
    void unusableSizesAreRefusedByName_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("named"); // the label that names the field
        QTest::newRow("zero length") << "TKorpus"
                                     << "sedlugosc" << 0.0 << "lDlugosc";
        QTest::newRow("negative diameter") << "TKorpus"
                                           << "sesrednica" << -5.0 << "lSrednica";
        QTest::newRow("zero wall") << "TKorpus"
                                   << "segrubosc" << 0.0 << "lGrubosc";
        QTest::newRow("transition, zero rear") << "TStozekSciety"
                                               << "sesrednica2" << 0.0 << "lSrednica2";
        QTest::newRow("fins, zero span") << "TStatecznik"
                                         << "seD" << 0.0 << "lD";
        QTest::newRow("fins, negative tip") << "TStatecznik"
                                            << "seC" << -1.0 << "lC";
        QTest::newRow("fins, zero tip is a pointed fin") << "TStatecznik"
                                                         << "seC" << 0.0 << "";
        QTest::newRow("fins, forward sweep") << "TStatecznik"
                                             << "seB" << -10.0 << "";
    }
    void unusableSizesAreRefusedByName() {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, named);
        Fixture f;
        auto& body = f.tube();
        auto& element = f.builder.attach(kind.toStdString(), body);
        element.DiameterA = 40;
        element.DiameterB = 30;
        if (auto* fins = dynamic_cast<TStatecznik*>(&element))
            GiveFinsSizes(*fins);
        const ElementFields before = FieldsOf(element);
        f.showReally(element);
        auto* shown = f.dialog.findChild<QDoubleSpinBox*>(field);
        QVERIFY(shown);
        shown->setValue(value);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        if (named.isEmpty()) {
            QCOMPARE(f.dialog.result(), QDialog::Accepted);
            QVERIFY(f.interaction.messages.isEmpty());
            return;
        }
        QCOMPARE(f.interaction.messages.size(), 1);
        QCOMPARE(f.interaction.messages[0].text,
                 "not allowed\n" + f.dialog.findChild<QLabel*>(named)->text());
        QVERIFY(f.dialog.isVisible());
        QVERIFY(!f.dialog.mayClose());
        QCOMPARE(FieldsOf(element), before);
        QCOMPARE(f.dialog.focusWidget(), shown);
    }

    // Motors, fin sets and ballast take a position from their parent's front, typed or
    // flush with its rear end (tube 500 long); a position off the parent is refused by
    // name. Other kinds show no position.
    void positionPlacesAlongTheParent_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed"); // empty: press "Flush with the rear"
        QTest::addColumn<double>("offset"); // -1: refused
        QTest::newRow("motor typed") << "TEngine"
                                     << "120,5" << 120.5;
        QTest::newRow("motor flush") << "TEngine"
                                     << "" << 400.0;
        QTest::newRow("motor at the rear end") << "TEngine"
                                               << "500" << 500.0;
        QTest::newRow("fins flush by root chord") << "TStatecznik"
                                                  << "" << 410.0;
        QTest::newRow("fins typed") << "TStatecznik"
                                    << "0" << 0.0;
        QTest::newRow("ballast flush is the rear end") << "TBalast"
                                                       << "" << 500.0;
        QTest::newRow("ballast in front") << "TBalast"
                                          << "-1" << -1.0;
        QTest::newRow("motor behind the tube") << "TEngine"
                                               << "501" << -1.0;
    }
    void positionPlacesAlongTheParent() {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(double, offset);
        Fixture f;
        auto& body = f.tube();
        body.Length = 500;
        auto& element = f.builder.attach(kind.toStdString(), body);
        element.DiameterA = 30;
        element.Weight = 10;
        if (auto* fins = dynamic_cast<TStatecznik*>(&element))
            GiveFinsSizes(*fins);
        element.Offset = 7;
        f.showReally(element);
        QVERIFY(f.ui.sePolozenie->isVisibleTo(&f.dialog));
        QCOMPARE(f.ui.sePolozenie->value(), 7.0);
        if (typed.isEmpty())
            QTest::mouseClick(f.ui.bDoTylu, Qt::LeftButton);
        else
            TypeInto(f.ui.sePolozenie, typed);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        if (offset < 0) {
            QCOMPARE(f.interaction.messages.size(), 1);
            QCOMPARE(f.interaction.messages[0].text, "not allowed\n" + f.ui.lPolozenie->text());
            QVERIFY(f.dialog.isVisible());
            QCOMPARE(element.Offset, 7.f);
            QCOMPARE(f.dialog.focusWidget(), static_cast<QWidget*>(f.ui.sePolozenie));
            return;
        }
        QCOMPARE(f.dialog.result(), QDialog::Accepted);
        QCOMPARE(element.Offset, static_cast<float>(offset));
        // Other fields stay exactly as they were.
        QCOMPARE(element.Weight, 10.f);
    }
    void positionIsShownOnlyForPartsAlongTheParent() {
        Fixture f;
        auto& body = f.tube();
        body.Offset = 3; // a body tube follows its parent: OK leaves this alone
        f.showReally(body);
        QVERIFY(!f.ui.sePolozenie->isVisibleTo(&f.dialog));
        f.ui.sePolozenie->setValue(9); // a hidden field is not the user's
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(body.Offset, 3.f);
    }

    // Tab goes from the caption to the first size, and on through the page's fields.
    void tabLeavesTheCaption() {
        Fixture f;
        auto& body = f.tube();
        f.showReally(body);
        f.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
        f.ui.eCaption->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.ui.eCaption);
        QTest::keyClick(f.ui.eCaption, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.ui.sedlugosc));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.ui.sesrednica));
    }

    void fieldsKeepValuesBetweenUses() {
        Fixture f;
        auto& body = f.tube();
        auto& fins = f.builder.attach<TStatecznik>("TStatecznik", body);
        GiveFinsSizes(fins);
        f.open(fins);
        f.ui.seB->setValue(12);
        f.ui.sesrednica->setValue(64);
        QTest::mouseClick(f.ui.btnOK, Qt::LeftButton);
        QCOMPARE(f.dialog.result(), QDialog::Accepted);

        auto nose = CreateElement("TGlowicaOgive");
        f.open(*nose, true);
        QCOMPARE(f.ui.seB->value(), 12.0);
        QCOMPARE(f.ui.sesrednica->value(), 64.0);
    }

    // What an insertion starts a component with: its constructed fields, a ballast of
    // 40 g, fins of 90, 50, 50 and 40; the fin page offers the same before any fin set.
    void newComponentsStartWithTheirDefaults_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<float>("weight");
        QTest::addColumn<float>("finA");
        QTest::addColumn<float>("finD");
        QTest::newRow("ballast") << "TBalast" << 40.f << 0.f << 0.f;
        QTest::newRow("fin set") << "TStatecznik" << 0.f << 90.f << 40.f;
        QTest::newRow("body tube") << "TKorpus" << 0.f << 0.f << 0.f;
        QTest::newRow("unknown") << "TWymiar" << 0.f << 0.f << 0.f;
    }
    void newComponentsStartWithTheirDefaults() {
        QFETCH(QString, kind);
        QFETCH(float, weight);
        QFETCH(float, finA);
        QFETCH(float, finD);
        const ElementFields fresh = NewElementFields(kind.toStdString());
        QCOMPARE(fresh.weight, weight);
        QCOMPARE(fresh.finA, finA);
        QCOMPARE(fresh.finD, finD);
        ElementFields expected = DefaultFields(kind.toStdString());
        expected.weight = fresh.weight;
        expected.finA = fresh.finA;
        expected.finB = fresh.finB;
        expected.finC = fresh.finC;
        expected.finD = fresh.finD;
        QCOMPARE(fresh, expected); // nothing else differs from the constructed fields
        if (kind == "TStatecznik") {
            Fixture f;
            const ElementFields offered = f.dialog.withFinSizesShown({});
            QCOMPARE(offered.finA, fresh.finA);
            QCOMPARE(offered.finB, fresh.finB);
            QCOMPARE(offered.finC, fresh.finC);
            QCOMPARE(offered.finD, fresh.finD);
        }
    }

    // The fin sizes offered to the next fin set are those the fin page holds, in
    // millimetres whatever unit the fields show, exact while the field shows them.
    void finSizesShownAreInMillimetres() {
        Fixture f;
        f.dialog.setUnitSource([] { return UnitChoice{LengthUnit::Inch, WeightUnit::Ounce}; });
        auto& body = f.tube();
        auto& fins = f.builder.attach<TStatecznik>("TStatecznik", body);
        GiveFinsSizes(fins);
        fins.FinB = 50.123f;
        f.open(fins);
        QCOMPARE(f.dialog.withFinSizesShown({}).finA, 90.f);
        QCOMPARE(f.dialog.withFinSizesShown({}).finB, 50.123f);
        TypeInto(f.ui.seD, "2");
        QTest::mouseClick(f.ui.BitBtn2, Qt::LeftButton);
        const ElementFields offered = f.dialog.withFinSizesShown(FieldsOf(body));
        QCOMPARE(offered.finD, 50.8f);
        QCOMPARE(offered.length, body.Length); // the rest as handed in
        QCOMPARE(fins.FinD, 40.f);
    }

    // A cancelled run leaves the element as it was handed over.
    void cancelLeavesElementAsItWas_data() {
        QTest::addColumn<bool>("oblicz");
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("material chosen, Cancel") << false << false;
        QTest::newRow("oblicz, Cancel") << true << false;
        QTest::newRow("oblicz, close box") << true << true;
    }
    void cancelLeavesElementAsItWas() {
        QFETCH(bool, oblicz);
        QFETCH(bool, byCloseBox);
        Fixture f;
        auto& body = f.tube();
        body.Material = "Paper";
        body.Weight = 7.5f;
        f.showReally(body);
        f.ui.seMaterial->setFocus();
        QTest::keyClicks(f.ui.seMaterial, "Iron");
        f.ui.sedlugosc->setValue(300);
        if (oblicz)
            QTest::mouseClick(f.ui.bOblicz, Qt::LeftButton);
        if (byCloseBox)
            QVERIFY(f.dialog.close());
        else
            QTest::mouseClick(f.ui.BitBtn2, Qt::LeftButton);
        QCOMPARE(f.dialog.result(), QDialog::Rejected);
        QCOMPARE(body.Density, 0.00065f);
        QCOMPARE(body.Material, std::string("Paper"));
        QCOMPARE(body.Length, 500.f);
        QCOMPARE(body.Weight, 7.5f);
    }
};

QTEST_MAIN(TestParametersDialog)
#include "tst_parameters_dialog.moc"
