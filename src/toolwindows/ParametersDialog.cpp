#include "toolwindows/ParametersDialog.h"

#include "widgets/FixedCaptionButton.h"
#include "widgets/QuantityField.h"

#include "editing/ElementDefaults.h"
#include "interaction/Interaction.h"
#include "model/Kinds.h"
#include "model/Materials.h"
#include "model/Numeric.h"
#include "model/RocketElement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>
#include <limits>

namespace vantor {

namespace {

constexpr int ClientWidth = 366;
constexpr int ClientHeight = 342;
constexpr int PageHeight = 262;
constexpr int LabelX = 8;
constexpr int FieldX = 170;
constexpr int FieldWidth = 100;
constexpr int RowHeight = 24;

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent, int x, int y,
                  int width = FieldX - LabelX - 4) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(x, y, width, RowHeight);
    return label;
}

// A size or weight field with two decimals in the display unit, open to the range of an
// int as the sizes are not limited here (OK checks them).
QDoubleSpinBox* MakeDecimal(const QString& name, double value, QWidget* parent, int x, int y,
                            int width = FieldWidth,
                            QuantityField::Kind kind = QuantityField::Kind::Length) {
    auto* field = new QuantityField(kind, parent);
    field->setObjectName(name);
    field->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    field->setValue(value);
    field->setGeometry(x, y, width, RowHeight);
    return field;
}

// An integer field open to every int.
QSpinBox* MakeSpin(const QString& name, int value, QWidget* parent, int x, int y,
                   int width = FieldWidth) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spin->setValue(value);
    spin->setGeometry(x, y, width, RowHeight);
    return spin;
}

QFrame* MakePanel(const QString& name, QWidget* parent, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(geometry);
    return panel;
}

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// The picture on the fin page: one fin on a piece of body tube with its four
// dimensions marked, so the user sees which letter is which size.
class FinPicture final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);

        // Tube below, fin above it: root 20..120 on the tube, tip 70..115 at height 40.
        const qreal root = 100, tip = 40;
        const qreal rootFront = 20, rootRear = 120, tipFront = 70, tipRear = 115;
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(225, 225, 225));
        painter.drawRect(QRectF(4, root, width() - 8, 30));
        QPainterPath fin;
        fin.moveTo(rootFront, root);
        fin.lineTo(tipFront, tip);
        fin.lineTo(tipRear, tip);
        fin.lineTo(rootRear, root);
        fin.closeSubpath();
        painter.setBrush(QColor(190, 210, 240));
        painter.drawPath(fin);

        // Extension lines.
        painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        painter.drawLine(QPointF(rootFront, root), QPointF(rootFront, 18));
        painter.drawLine(QPointF(tipFront, tip), QPointF(tipFront, 18));
        painter.drawLine(QPointF(tipRear, tip), QPointF(tipRear, 18));
        painter.drawLine(QPointF(tipRear, tip), QPointF(146, tip));
        painter.drawLine(QPointF(rootRear, root), QPointF(146, root));

        painter.setPen(QPen(Qt::darkBlue, 1));
        dimension(painter, {rootFront, 116}, {rootRear, 116}, "A", {66, 128});
        dimension(painter, {rootFront, 22}, {tipFront, 22}, "B", {41, 16});
        dimension(painter, {tipFront, 22}, {tipRear, 22}, "C", {89, 16});
        dimension(painter, {140, tip}, {140, root}, "D", {144, 74});
    }

private:
    // A dimension line with an arrowhead at each end and its letter.
    static void dimension(QPainter& painter, QPointF from, QPointF to, const char* letter,
                          QPointF textAt) {
        painter.drawLine(from, to);
        const QPointF unit = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        const QPointF normal(-unit.y(), unit.x());
        for (auto [tipPoint, direction] : {std::pair{from, unit}, std::pair{to, -unit}}) {
            const QPointF base = tipPoint + direction * 6;
            painter.drawLine(tipPoint, base + normal * 3);
            painter.drawLine(tipPoint, base - normal * 3);
        }
        painter.drawText(textAt, QString::fromLatin1(letter));
    }
};

} // namespace

TFormParametry::TFormParametry(LanguageSession& language, Interaction& interaction, QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction) {
    setObjectName("FormParametry");
    setWindowTitle(QStringLiteral("Parametry@5501"));
    setModal(true);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ClientWidth, ClientHeight);

    buildTopStrip();
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(0, 36, ClientWidth, PageHeight);
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->hide();
    // Its focus would go to the hidden tab bar, which takes none: Tab would stop at the
    // caption. The pages are chosen by the element's kind, never by the user.
    PageControl1->setFocusPolicy(Qt::NoFocus);
    buildMainPage();
    buildFinPage();
    buildBallastPage();
    buildMovingPanels();
    buildBottomStrip();

    connect(btnOK, &QPushButton::clicked, this, &TFormParametry::btnOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormParametry::BitBtn2Click);
    connect(bOblicz, &QPushButton::clicked, this, &TFormParametry::bObliczClick);
    connect(bOblicz3, &QPushButton::clicked, this, &TFormParametry::bObliczClick);
    connect(bWybierzSilnik, &QPushButton::clicked, this, &TFormParametry::bWybierzSilnikClick);
    connect(bDoTylu, &QPushButton::clicked, this, &TFormParametry::bDoTyluClick);
    // Only a choice the user makes; selecting the element's material on showing does
    // not change its density.
    connect(seMaterial, &QComboBox::activated, this, &TFormParametry::seMaterialChange);
}

void TFormParametry::buildTopStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("PanelTop");
    strip->setGeometry(0, 0, ClientWidth, 36);
    lCaption = MakeLabel("lCaption", QStringLiteral("Caption@5522"), strip, LabelX, 6, 96);
    eCaption = new QLineEdit(strip);
    eCaption->setObjectName("eCaption");
    eCaption->setGeometry(108, 6, ClientWidth - 116, RowHeight);
}

void TFormParametry::buildMainPage() {
    TabMain = new QWidget(PageControl1);
    TabMain->setObjectName("TabMain");
    lDlugosc = MakeLabel("lDlugosc", QStringLiteral("Dlugosc@5523"), TabMain, LabelX, 8);
    sedlugosc = MakeDecimal("sedlugosc", 100, TabMain, FieldX, 8);
    lSrednica = MakeLabel("lSrednica", QStringLiteral("Średnica A@5506"), TabMain, LabelX, 38);
    sesrednica = MakeDecimal("sesrednica", 50, TabMain, FieldX, 38);
    lSrednica2 = MakeLabel("lSrednica2", QStringLiteral("Średnica B@5507"), TabMain, LabelX, 68);
    sesrednica2 = MakeDecimal("sesrednica2", 50, TabMain, FieldX, 68);
    // In the row of the second diameter, which only transitions show.
    bWybierzSilnik = MakeButton("bWybierzSilnik", QStringLiteral("Wybierz silnik…@5530"), TabMain,
                                {FieldX, 68, ClientWidth - FieldX - 8, RowHeight});
    bWybierzSilnik->hide();
    PanelMaterialMain = MakePanel("PanelMaterialMain", TabMain, {0, 100, ClientWidth, 64});
    PanelWagaMain = MakePanel("PanelWagaMain", TabMain, {0, 166, ClientWidth, 36});
    PanelPolozenieMain = MakePanel("PanelPolozenieMain", TabMain, {0, 204, ClientWidth, 30});
    PageControl1->addTab(TabMain, QStringLiteral("Główne@5504"));
}

void TFormParametry::buildFinPage() {
    TabStatecznik = new QWidget(PageControl1);
    TabStatecznik->setObjectName("TabStatecznik");
    constexpr int x = 70, width = 100, labelWidth = x - LabelX - 4;
    // Before any fin set was shown, the page offers the sizes a new fin set starts with.
    const ElementFields fresh = NewElementFields("TStatecznik");
    // Rows 26 apart, the fin count beside its label: the position row fits above the
    // material panel.
    lA = MakeLabel("lA", QStringLiteral("A@5513"), TabStatecznik, LabelX, 8, labelWidth);
    seA = MakeDecimal("seA", fresh.finA, TabStatecznik, x, 8, width);
    lB = MakeLabel("lB", QStringLiteral("B@5514"), TabStatecznik, LabelX, 34, labelWidth);
    seB = MakeDecimal("seB", fresh.finB, TabStatecznik, x, 34, width);
    lC = MakeLabel("lC", QStringLiteral("C@5515"), TabStatecznik, LabelX, 60, labelWidth);
    seC = MakeDecimal("seC", fresh.finC, TabStatecznik, x, 60, width);
    lD = MakeLabel("lD", QStringLiteral("D@5516"), TabStatecznik, LabelX, 86, labelWidth);
    seD = MakeDecimal("seD", fresh.finD, TabStatecznik, x, 86, width);
    lIlefin = MakeLabel("lIlefin", QStringLiteral("Ilość statecznikow@5517"), TabStatecznik, LabelX,
                        112, 124);
    seilefin = MakeSpin("seilefin", 3, TabStatecznik, 134, 112, 60);
    seilefin->setRange(2, 4);
    seilefin->setValue(fresh.finCount);
    ImageFin = new FinPicture(TabStatecznik);
    ImageFin->setObjectName("ImageFin");
    ImageFin->setToolTip(QStringLiteral("Wymiary statecznika@5519"));
    ImageFin->setGeometry(ClientWidth - 166, 2, 158, 132);
    PanelPolozenie2 = MakePanel("PanelPolozenie2", TabStatecznik, {0, 136, ClientWidth, 26});
    PanelMaterial2 = MakePanel("PanelMaterial2", TabStatecznik, {0, 162, ClientWidth, 64});
    PanelWaga2 = MakePanel("PanelWaga2", TabStatecznik, {0, 226, ClientWidth, 36});
    PageControl1->addTab(TabStatecznik, QStringLiteral("Statecznik@5512"));
}

void TFormParametry::buildBallastPage() {
    TabBalast = new QWidget(PageControl1);
    TabBalast->setObjectName("TabBalast");
    PanelWaga3 = MakePanel("PanelWaga3", TabBalast, {0, 8, ClientWidth, 36});
    lWaga3 = MakeLabel("lWaga3", QStringLiteral("Waga@5520"), PanelWaga3, LabelX, 6);
    seWaga3 = MakeSpin("seWaga3", 0, PanelWaga3, FieldX, 6);
    bOblicz3 = MakeButton("bOblicz3", QStringLiteral("oblicz@5521"), PanelWaga3,
                          {FieldX + FieldWidth + 8, 6, 76, RowHeight});
    PanelPolozenie3 = MakePanel("PanelPolozenie3", TabBalast, {0, 48, ClientWidth, 30});
    PageControl1->addTab(TabBalast, QStringLiteral("Balast@5518"));
}

void TFormParametry::buildMovingPanels() {
    // The moved panels paint their background, so they hide whatever their holder holds.
    PanelMaterial = MakePanel("PanelMaterial", PanelMaterialMain, {0, 0, ClientWidth, 64});
    PanelMaterial->setAutoFillBackground(true);
    lGrubosc =
        MakeLabel("lGrubosc", QStringLiteral("Grubość materiału@5508"), PanelMaterial, LabelX, 4);
    segrubosc = MakeDecimal("segrubosc", 50, PanelMaterial, FieldX, 4);
    lMaterial = MakeLabel("lMaterial", QStringLiteral("Material@5524"), PanelMaterial, LabelX, 34);
    seMaterial = new QComboBox(PanelMaterial);
    seMaterial->setObjectName("seMaterial");
    seMaterial->setEditable(false);
    seMaterial->setGeometry(FieldX, 34, 140, RowHeight);

    PanelWaga = MakePanel("PanelWaga", PanelWagaMain, {0, 0, ClientWidth, 36});
    PanelWaga->setAutoFillBackground(true);
    lWaga = MakeLabel("lWaga", QStringLiteral("Waga@5510"), PanelWaga, LabelX, 6);
    seWaga =
        MakeDecimal("seWaga", 0, PanelWaga, FieldX, 6, FieldWidth, QuantityField::Kind::Weight);
    bOblicz = MakeButton("bOblicz", QStringLiteral("oblicz@5511"), PanelWaga,
                         {FieldX + FieldWidth + 8, 6, 76, RowHeight});

    // The position along the parent, for the kinds placed along it.
    PanelPolozenie = MakePanel("PanelPolozenie", PanelPolozenieMain, {0, 0, ClientWidth, 26});
    PanelPolozenie->setAutoFillBackground(true);
    // A short label lets the field show a value with its unit ("400.00 mm") and the button
    // its whole caption in either language.
    constexpr int fieldX = 82, fieldWidth = 100;
    lPolozenie = MakeLabel("lPolozenie", QStringLiteral("Położenie@6600"), PanelPolozenie, LabelX,
                           1, fieldX - LabelX - 4);
    lPolozenie->setToolTip(QStringLiteral("Położenie od przodu elementu nadrzędnego@6602"));
    sePolozenie = MakeDecimal("sePolozenie", 0, PanelPolozenie, fieldX, 1, fieldWidth);
    bDoTylu =
        MakeButton("bDoTylu", QStringLiteral("Do tyłu@6601"), PanelPolozenie,
                   {fieldX + fieldWidth + 6, 1, ClientWidth - fieldX - fieldWidth - 14, RowHeight});
}

void TFormParametry::buildBottomStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("PanelBottom");
    strip->setGeometry(0, ClientHeight - 42, ClientWidth, 42);
    // The two buttons keep their captions in every language.
    BitBtn2 = new FixedCaptionButton(QStringLiteral("Cancel"), strip);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(ClientWidth - 184, 8, 84, 28);
    btnOK = new FixedCaptionButton(QStringLiteral("Ok"), strip);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(ClientWidth - 92, 8, 84, 28);
    btnOK->setDefault(true);
}

void TFormParametry::fillMaterials() {
    for (const TMaterial& material : Materials)
        seMaterial->addItem(
            QString::fromUtf8(material.name.data(), static_cast<qsizetype>(material.name.size())),
            QVariant(material.density));
}

void TFormParametry::moveInto(QFrame* panel, QFrame* holder) {
    panel->setParent(holder);
    panel->move(0, 0);
    panel->raise(); // over the holder's own controls
    panel->show();
}

void TFormParametry::setElement(const TRocketElement* element) {
    element_ = element;
    shownFields_.reset();
    edited_ = element != nullptr ? FieldsOf(*element) : ElementFields{};
}

void TFormParametry::FormShow() {
    preparedForShow_ = true;
    if (seMaterial->count() == 0)
        fillMaterials();
    mayClose_ = true;
    bOblicz->show();
    for (QFrame* panel :
         {PanelMaterial, PanelWaga, PanelMaterialMain, PanelWagaMain, PanelMaterial2, PanelWaga2,
          PanelWaga3, PanelPolozenie, PanelPolozenieMain, PanelPolozenie2, PanelPolozenie3})
        panel->setFrameShape(QFrame::NoFrame);

    // A text refused in an earlier run is not this run's.
    for (QuantityField* field : findChildren<QuantityField*>()) {
        field->forgetRefusal();
        if (unitSource_)
            field->setUnits(unitSource_());
    }

    shownFields_.reset();
    edited_ = ElementFields{};
    accepted_ = ElementFields{};
    shownValues_.clear();
    motorChosen_ = false;
    bWybierzSilnik->setVisible(element_ != nullptr && KindOf(*element_).motor &&
                               motorChooser_ != nullptr);
    if (element_ == nullptr) {
        freshMode_ = false;
        return;
    }
    const TRocketElement& e = *element_;
    const ElementKind& kind = KindOf(e);
    shownFields_ = FieldsOf(e);
    edited_ = *shownFields_;
    const ElementFields& f = edited_;

    eCaption->setText(QString::fromStdString(f.caption));
    showValue(sedlugosc, f.length);
    showValue(seWaga, f.weight);
    seMaterial->setCurrentIndex(seMaterial->findText(QString::fromStdString(f.material),
                                                     Qt::MatchExactly | Qt::MatchCaseSensitive));

    if (!freshMode_) {
        showValue(sesrednica, f.diameterA);
    } else {
        showValue(seWaga, static_cast<float>(ComputedWeight(e, f)));
        if (e.Parent != nullptr)
            showValue(sesrednica, JoiningDiameter(*e.Parent));
    }

    showValue(sesrednica2, f.diameterB);
    showValue(segrubosc, f.thickness);
    showValue(sePolozenie, f.offset);
    bDoTylu->setEnabled(e.Parent != nullptr);
    sesrednica2->setVisible(kind.transition);
    lSrednica2->setVisible(kind.transition);

    if (kind.finSet) {
        PageControl1->setCurrentWidget(TabStatecznik);
        moveInto(PanelMaterial, PanelMaterial2);
        moveInto(PanelWaga, PanelWaga2);
        showValue(seA, f.finA);
        showValue(seB, f.finB);
        showValue(seC, f.finC);
        showValue(seD, f.finD);
        seilefin->setValue(f.finCount);
        moveInto(PanelPolozenie, PanelPolozenie2);
    } else if (kind.ballast) {
        PageControl1->setCurrentWidget(TabBalast);
        moveInto(PanelWaga, PanelWaga3);
        moveInto(PanelPolozenie, PanelPolozenie3);
        bOblicz->hide();
    } else {
        PageControl1->setCurrentWidget(TabMain);
        moveInto(PanelMaterial, PanelMaterialMain);
        moveInto(PanelWaga, PanelWagaMain);
        moveInto(PanelPolozenie, PanelPolozenieMain);
    }
    PanelPolozenie->setVisible(PlacedAlongParent(e.ClassName));
    freshMode_ = false;
}

bool TFormParametry::valuesAllowed() const {
    const TRocketElement& e = *element_;
    const bool hasChildren = hasChildNodes_ && hasChildNodes_(e);
    const float shownLength = shownFields_ ? shownFields_->length : e.Length;
    return CheckDialogSizes(
               e, {enteredValue(sedlugosc), enteredValue(sesrednica), enteredValue(sesrednica2)},
               shownLength, hasChildren) == FieldsRefusal::None;
}

void TFormParametry::btnOKClick() {
    if (element_ != nullptr && refuseUnreadableField())
        return;
    if (element_ != nullptr && refuseUnusableSize())
        return;
    if (element_ != nullptr && refuseUnfittingPosition())
        return;
    if (element_ != nullptr && element_->Parent != nullptr && !valuesAllowed()) {
        mayClose_ = false;
        interaction_.showMessage(this, QStringLiteral("not allowed"), QString(),
                                 Interaction::Icon::None);
        return;
    }
    mayClose_ = true;
    accepted_ = element_ != nullptr ? enteredFields() : ElementFields{};
    accept();
}

bool TFormParametry::refuseUnusableSize() {
    const std::optional<SizeField> unusable = UnusableSize(element_->ClassName, enteredFields());
    if (!unusable)
        return false;
    const std::pair<QLabel*, QDoubleSpinBox*> fields[] = {{lDlugosc, sedlugosc},
                                                          {lSrednica, sesrednica},
                                                          {lSrednica2, sesrednica2},
                                                          {lGrubosc, segrubosc},
                                                          {lA, seA},
                                                          {lB, seB},
                                                          {lC, seC},
                                                          {lD, seD}};
    const auto [label, field] = fields[static_cast<int>(*unusable)];
    mayClose_ = false;
    // Names the field by its caption in the dialog's language, and leaves it ready to
    // be typed over.
    interaction_.showMessage(this, QStringLiteral("not allowed\n") + label->text(), QString(),
                             Interaction::Icon::None);
    field->setFocus();
    field->selectAll();
    return true;
}

bool TFormParametry::refuseUnfittingPosition() {
    if (!PlacedAlongParent(element_->ClassName) || PositionFits(enteredFields(), element_->Parent))
        return false;
    mayClose_ = false;
    interaction_.showMessage(this, QStringLiteral("not allowed\n") + lPolozenie->text(), QString(),
                             Interaction::Icon::None);
    sePolozenie->setFocus();
    sePolozenie->selectAll();
    return true;
}

void TFormParametry::bDoTyluClick() {
    if (element_ == nullptr || element_->Parent == nullptr)
        return;
    if (const std::optional<float> offset =
            FlushWithRearOffset(element_->ClassName, enteredFields(), *element_->Parent))
        static_cast<QuantityField*>(sePolozenie)->setDesignValue(*offset);
}

bool TFormParametry::refuseUnreadableField() {
    const std::pair<QLabel*, QDoubleSpinBox*> fields[] = {{lDlugosc, sedlugosc},
                                                          {lSrednica, sesrednica},
                                                          {lSrednica2, sesrednica2},
                                                          {lGrubosc, segrubosc},
                                                          {lWaga, seWaga},
                                                          {lA, seA},
                                                          {lB, seB},
                                                          {lC, seC},
                                                          {lD, seD},
                                                          {lPolozenie, sePolozenie}};
    for (const auto& [label, spin] : fields) {
        auto* field = static_cast<QuantityField*>(spin);
        // Fields of other pages and hidden ones are not the user's to correct.
        if (!field->isVisibleTo(this))
            continue;
        const std::optional<QuantityProblem> problem = field->problem();
        if (!problem)
            continue;
        mayClose_ = false;
        const int reason = 6400 + static_cast<int>(*problem) - 1;
        interaction_.showMessage(this,
                                 QStringLiteral("not allowed\n") + label->text() +
                                     QLatin1Char('\n') + quantityProblems_(reason),
                                 QString(), Interaction::Icon::None);
        field->showRefusedText();
        field->setFocus();
        field->selectAll();
        return true;
    }
    return false;
}

ElementFields TFormParametry::enteredFields() const {
    ElementFields fields = edited_;
    fields.caption = eCaption->text().toStdString();
    fields.length = enteredValue(sedlugosc);
    fields.diameterA = enteredValue(sesrednica);
    fields.diameterB = enteredValue(sesrednica2);
    fields.thickness = enteredValue(segrubosc);
    fields.weight = enteredValue(seWaga);
    fields.material = seMaterial->currentText().toStdString();
    if (PlacedAlongParent(element_->ClassName))
        fields.offset = enteredValue(sePolozenie);
    if (KindOf(*element_).finSet) {
        fields.finA = enteredValue(seA);
        fields.finB = enteredValue(seB);
        fields.finC = enteredValue(seC);
        fields.finD = enteredValue(seD);
        fields.finCount = seilefin->value();
    }
    return fields;
}

void TFormParametry::showValue(QDoubleSpinBox* field, float exact) {
    static_cast<QuantityField*>(field)->setDesignValue(exact);
    shownValues_.insert(field, {field->value(), exact});
}

float TFormParametry::enteredValue(const QDoubleSpinBox* field) const {
    const auto shown = shownValues_.constFind(field);
    if (shown != shownValues_.cend() && field->value() == shown->shown)
        return shown->exact;
    return static_cast<float>(static_cast<const QuantityField*>(field)->designValue());
}

bool TFormParametry::weightGiven() const {
    const auto shown = shownValues_.constFind(seWaga);
    return motorChosen_ || shown == shownValues_.cend() || seWaga->value() != shown->shown;
}

ElementFields TFormParametry::withFinSizesShown(ElementFields fields) const {
    fields.finA = enteredValue(seA);
    fields.finB = enteredValue(seB);
    fields.finC = enteredValue(seC);
    fields.finD = enteredValue(seD);
    return fields;
}

void TFormParametry::bObliczClick() {
    if (element_ != nullptr)
        showValue(seWaga, static_cast<float>(ComputedWeight(*element_, enteredFields())));
}

void TFormParametry::bWybierzSilnikClick() {
    if (element_ == nullptr || !motorChooser_)
        return;
    const std::optional<ElementFields> chosen = motorChooser_(*element_, enteredFields());
    if (!chosen)
        return;
    motorChosen_ = true;
    eCaption->setText(QString::fromStdString(chosen->caption));
    showValue(sedlugosc, chosen->length);
    showValue(sesrednica, chosen->diameterA);
    showValue(seWaga, chosen->weight);
}

void TFormParametry::seMaterialChange(int index) {
    if (element_ == nullptr || index < 0 || index >= seMaterial->count())
        return;
    edited_.density = seMaterial->itemData(index).toFloat();
}

void TFormParametry::BitBtn2Click() {
    mayClose_ = true;
    reject();
}

void TFormParametry::reject() {
    if (!FormClose())
        return;
    QDialog::reject();
}

void TFormParametry::done(int result) {
    preparedForShow_ = false;
    QDialog::done(result);
}

void TFormParametry::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (const QScreen* screen = this->screen())
            move(screen->geometry().center() - rect().center());
        if (!preparedForShow_)
            FormShow();
        preparedForShow_ = false; // the next showing prepares afresh
    }
    QDialog::showEvent(event);
}

void TFormParametry::closeEvent(QCloseEvent* event) {
    if (!FormClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vantor
