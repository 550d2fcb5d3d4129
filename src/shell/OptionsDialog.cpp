#include "shell/OptionsDialog.h"

#include "interaction/Interaction.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/StoredValue.h"
#include "widgets/ColourBox.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDebug>
#include <QFrame>
#include <QGroupBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <algorithm>

namespace vantor {

namespace {

constexpr int ClientWidth = 454;
constexpr int ClientHeight = 287;
constexpr int TreeWidth = 165;
constexpr int PanelHeight = 41;
constexpr int PageHeight = ClientHeight - PanelHeight;
constexpr int RowHeight = 22;

QString KeyName(const SettingKey& key) {
    return QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
}

QLabel* MakeLabel(const char* name, int id, QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(Tagged(id), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* MakeTitle(const char* name, int id, QWidget* parent) {
    QLabel* title = MakeLabel(name, id, parent, QRect(8, 8, 273, RowHeight));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    return title;
}

QSpinBox* MakeGridSpin(const char* name, QWidget* parent, const QRect& geometry,
                       const SettingKey& key = Settings::GridX) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(key.minimum, key.maximum);
    spin->setValue(key.defaultValue);
    // A typed value out of the range is pulled into it when the edit loses focus.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spin->setGeometry(geometry);
    return spin;
}

QWidget* MakePage(const char* name, int id, QStackedWidget* stack) {
    auto* page = new QWidget(stack);
    page->setObjectName(name);
    page->setProperty(PageCaptionProperty, Tagged(id));
    stack->addWidget(page);
    return page;
}

// The value of a spacing edit: its text as a whole number, pulled into the range; a
// text that is no whole number reads as the minimum, which the edit then shows.
int SpacingOf(QSpinBox& spin) {
    bool ok = false;
    const int typed = spin.cleanText().trimmed().toInt(&ok);
    if (!ok) {
        spin.setValue(spin.minimum());
        return spin.minimum();
    }
    return std::clamp(typed, spin.minimum(), spin.maximum());
}

} // namespace

TFormOpcje::TFormOpcje(LanguageSession& language, Interaction& interaction,
                       SettingsMenuItems menuItems, QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction), menuItems_(menuItems) {
    setObjectName("FormOpcje");
    setWindowTitle(Tagged(3501));
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setGeometry(0, 0, TreeWidth, PageHeight);
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setRootIsDecorated(false);
    TreeView1->addTopLevelItem(new QTreeWidgetItem(QStringList{Tagged(3524)}));
    TreeView1->addTopLevelItem(new QTreeWidgetItem(QStringList{Tagged(3525)}));

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(TreeWidth, 0, ClientWidth - TreeWidth, PageHeight);
    buildGeneralPage();
    buildGridPage();
    buildOtherPages();
    buildBottomPanel();

    // A node shows the page at its own index: node 0 the general page, node 1 the grid.
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        const int index = item != nullptr ? TreeView1->indexOfTopLevelItem(item) : -1;
        if (index >= 0 && index < PageControl1->count())
            PageControl1->setCurrentIndex(index);
    });
    TreeView1->setCurrentItem(TreeView1->topLevelItem(1));
    PageControl1->setCurrentWidget(TabSiatka);

    const auto chooser = [this](const QColor& current) -> std::optional<QColor> {
        QColorDialog dialog(current, this);
        if (interaction_.runDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.currentColor();
    };
    for (ColourBox* box : {cbKolorTla, cbKolorLini, cbKolorWypelnienia, cbKolorGrid})
        box->setCustomChooser(chooser);
}

void TFormOpcje::buildGeneralPage() {
    TabOgolne = MakePage("TabOgolne", 3504, PageControl1);
    MakeTitle("lTytulOgolne", 3505, TabOgolne);

    lJednostki = MakeLabel("lJednostki", 3506, TabOgolne, QRect(8, 36, 100, RowHeight));
    cbJednostki = new QComboBox(TabOgolne);
    cbJednostki->setObjectName("cbJednostki");
    cbJednostki->addItems({Tagged(3529), Tagged(3530), Tagged(3531), Tagged(3532)});
    cbJednostki->setCurrentIndex(0);
    cbJednostki->setGeometry(120, 36, 150, RowHeight);
    // The units change only through the stored value.
    lJednostki->hide();
    cbJednostki->hide();

    GroupKolory = new QGroupBox(Tagged(3520), TabOgolne);
    GroupKolory->setObjectName("GroupKolory");
    GroupKolory->setGeometry(8, 36, 273, 110);
    MakeLabel("lKolorTla", 3507, GroupKolory, QRect(8, 20, 110, RowHeight));
    cbKolorTla = new ColourBox(GroupKolory);
    cbKolorTla->setObjectName("cbKolorTla");
    cbKolorTla->setGeometry(120, 20, 145, RowHeight);
    cbKolorTla->setColourCode(std::uint32_t(Settings::BackgroundColor.defaultValue));
    MakeLabel("lKolorLini", 3508, GroupKolory, QRect(8, 48, 110, RowHeight));
    cbKolorLini = new ColourBox(GroupKolory);
    cbKolorLini->setObjectName("cbKolorLini");
    cbKolorLini->setGeometry(120, 48, 145, RowHeight);
    cbKolorLini->setEnabled(false);
    MakeLabel("lKolorWypelnienia", 3509, GroupKolory, QRect(8, 76, 110, RowHeight));
    cbKolorWypelnienia = new ColourBox(GroupKolory);
    cbKolorWypelnienia->setObjectName("cbKolorWypelnienia");
    cbKolorWypelnienia->setGeometry(120, 76, 145, RowHeight);
    cbKolorWypelnienia->setColourCode(0xFFFFFF);
    cbKolorWypelnienia->setEnabled(false);

    // Two step edits that take part in nothing, in a hidden group.
    GroupKroki = new QGroupBox(Tagged(3527), TabOgolne);
    GroupKroki->setObjectName("GroupKroki");
    GroupKroki->setGeometry(8, 152, 273, 82);
    MakeLabel("lKrokObrotu", 3510, GroupKroki, QRect(8, 20, 130, RowHeight));
    seKrokObrotu = MakeGridSpin("seKrokObrotu", GroupKroki, QRect(150, 20, 80, RowHeight));
    seKrokObrotu->setEnabled(false);
    MakeLabel("lKrokPowiekszenia", 3511, GroupKroki, QRect(8, 48, 130, RowHeight));
    seKrokPowiekszenia =
        MakeGridSpin("seKrokPowiekszenia", GroupKroki, QRect(150, 48, 80, RowHeight));
    seKrokPowiekszenia->setEnabled(false);
    GroupKroki->hide();
    buildMotorFolders();
}

void TFormOpcje::buildMotorFolders() {
    // Where the hidden rotation and zoom steps would be.
    GroupSilniki = new QGroupBox(Tagged(6010), TabOgolne);
    GroupSilniki->setObjectName("GroupSilniki");
    GroupSilniki->setGeometry(8, 152, 273, 90);
    lbFolderySilnikow = new QListWidget(GroupSilniki);
    lbFolderySilnikow->setObjectName("lbFolderySilnikow");
    lbFolderySilnikow->setGeometry(8, 20, 170, 62);
    bDodajFolder = new QPushButton(Tagged(6011), GroupSilniki);
    bDodajFolder->setObjectName("bDodajFolder");
    bDodajFolder->setGeometry(184, 20, 81, 25);
    bUsunFolder = new QPushButton(Tagged(6012), GroupSilniki);
    bUsunFolder->setObjectName("bUsunFolder");
    bUsunFolder->setGeometry(184, 52, 81, 25);
    connect(bDodajFolder, &QPushButton::clicked, this, &TFormOpcje::bDodajFolderClick);
    connect(bUsunFolder, &QPushButton::clicked, this, &TFormOpcje::bUsunFolderClick);
    setMotorFolders(QSettings(Organization, QStringLiteral("Motors"))
                        .value(QStringLiteral("Folders"))
                        .toStringList());
}

QStringList TFormOpcje::motorFolders() const {
    QStringList folders;
    for (int i = 0; i < lbFolderySilnikow->count(); ++i)
        folders << lbFolderySilnikow->item(i)->text();
    return folders;
}

void TFormOpcje::setMotorFolders(const QStringList& folders) {
    lbFolderySilnikow->clear();
    lbFolderySilnikow->addItems(folders);
}

void TFormOpcje::saveMotorFolders() const {
    QSettings store(Organization, QStringLiteral("Motors"));
    store.setValue(QStringLiteral("Folders"), motorFolders());
}

void TFormOpcje::bDodajFolderClick() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (interaction_.runDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString folder = dialog.selectedFiles().constFirst();
    if (!folder.isEmpty() && !motorFolders().contains(folder))
        lbFolderySilnikow->addItem(folder);
}

void TFormOpcje::bUsunFolderClick() {
    delete lbFolderySilnikow->takeItem(lbFolderySilnikow->currentRow());
}

void TFormOpcje::buildGridPage() {
    TabSiatka = MakePage("TabSiatka", 3512, PageControl1);
    MakeTitle("lTytulSiatka", 3516, TabSiatka);
    MakeLabel("lXGrid", 3513, TabSiatka, QRect(8, 40, 120, RowHeight));
    sXGrid = MakeGridSpin("sXGrid", TabSiatka, QRect(140, 40, 80, RowHeight));
    MakeLabel("lYGrid", 3514, TabSiatka, QRect(8, 68, 120, RowHeight));
    sYGrid = MakeGridSpin("sYGrid", TabSiatka, QRect(140, 68, 80, RowHeight), Settings::GridY);
    MakeLabel("lKolorGrid", 3515, TabSiatka, QRect(8, 100, 120, RowHeight));
    cbKolorGrid = new ColourBox(TabSiatka);
    cbKolorGrid->setObjectName("cbKolorGrid");
    cbKolorGrid->setGeometry(140, 100, 140, RowHeight);
    cbKolorGrid->setColourCode(std::uint32_t(Settings::GridColor.defaultValue));
    cbVisibleGrid = new QCheckBox(Tagged(3517), TabSiatka);
    cbVisibleGrid->setObjectName("cbVisibleGrid");
    cbVisibleGrid->setGeometry(8, 134, 273, RowHeight);
    cbSnapGrid = new QCheckBox(Tagged(3518), TabSiatka);
    cbSnapGrid->setObjectName("cbSnapGrid");
    cbSnapGrid->setGeometry(8, 160, 273, RowHeight);
    cbSnapGrid->hide();
    buildUnits();
}

namespace {

QSettings UnitStore() {
    return QSettings(QString::fromLatin1(TFormOpcje::Organization), QStringLiteral("Units"));
}

// The units offered, in the order of the lists, with the names they are stored by.
constexpr std::pair<LengthUnit, const char*> LengthUnits[] = {{LengthUnit::Millimetre, "mm"},
                                                              {LengthUnit::Inch, "in"}};
constexpr std::pair<WeightUnit, const char*> WeightUnits[] = {{WeightUnit::Gram, "g"},
                                                              {WeightUnit::Ounce, "oz"}};

} // namespace

void TFormOpcje::buildUnits() {
    // Below the grid's check boxes, where the hidden snap box leaves room.
    GroupJednostki = new QGroupBox(Tagged(6405), TabSiatka);
    GroupJednostki->setObjectName("GroupJednostki");
    GroupJednostki->setGeometry(8, 164, 273, 78);
    MakeLabel("lJednostkiDlugosci", 6406, GroupJednostki, QRect(8, 20, 110, RowHeight));
    cbJednostkiDlugosci = new QComboBox(GroupJednostki);
    cbJednostkiDlugosci->setObjectName("cbJednostkiDlugosci");
    cbJednostkiDlugosci->addItems({Tagged(6408), Tagged(6409)});
    cbJednostkiDlugosci->setGeometry(120, 20, 145, RowHeight);
    MakeLabel("lJednostkiWagi", 6407, GroupJednostki, QRect(8, 48, 110, RowHeight));
    cbJednostkiWagi = new QComboBox(GroupJednostki);
    cbJednostkiWagi->setObjectName("cbJednostkiWagi");
    cbJednostkiWagi->addItems({Tagged(6410), Tagged(6411)});
    cbJednostkiWagi->setGeometry(120, 48, 145, RowHeight);

    // A stored name that is no unit offered leaves the default.
    const QSettings store = UnitStore();
    UnitChoice units;
    const QString length = store.value(QStringLiteral("Length")).toString();
    for (const auto& [unit, name] : LengthUnits)
        if (length == QLatin1String(name))
            units.length = unit;
    const QString weight = store.value(QStringLiteral("Weight")).toString();
    for (const auto& [unit, name] : WeightUnits)
        if (weight == QLatin1String(name))
            units.weight = unit;
    setUnitChoice(units);
}

UnitChoice TFormOpcje::unitChoice() const {
    UnitChoice units;
    const int length = cbJednostkiDlugosci->currentIndex();
    if (length >= 0 && length < int(std::size(LengthUnits)))
        units.length = LengthUnits[length].first;
    const int weight = cbJednostkiWagi->currentIndex();
    if (weight >= 0 && weight < int(std::size(WeightUnits)))
        units.weight = WeightUnits[weight].first;
    return units;
}

void TFormOpcje::setUnitChoice(UnitChoice units) {
    for (int i = 0; i < int(std::size(LengthUnits)); ++i)
        if (LengthUnits[i].first == units.length)
            cbJednostkiDlugosci->setCurrentIndex(i);
    for (int i = 0; i < int(std::size(WeightUnits)); ++i)
        if (WeightUnits[i].first == units.weight)
            cbJednostkiWagi->setCurrentIndex(i);
}

void TFormOpcje::saveUnits() const {
    QSettings store = UnitStore();
    store.setValue(
        QStringLiteral("Length"),
        QLatin1String(LengthUnits[std::max(0, cbJednostkiDlugosci->currentIndex())].second));
    store.setValue(QStringLiteral("Weight"),
                   QLatin1String(WeightUnits[std::max(0, cbJednostkiWagi->currentIndex())].second));
}

void TFormOpcje::buildOtherPages() {
    // Pages no tree node leads to.
    TabMarker = MakePage("TabMarker", 3519, PageControl1);
    cbShowMarker = new QCheckBox(Tagged(3528), TabMarker);
    cbShowMarker->setObjectName("cbShowMarker");
    cbShowMarker->setGeometry(8, 8, 273, RowHeight);
    TabSheet4 = MakePage("TabSheet4", 3523, PageControl1);
}

void TFormOpcje::buildBottomPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(0, PageHeight, ClientWidth, PanelHeight);
    bOK = new QPushButton(Tagged(3502), panel);
    bOK->setObjectName("bOK");
    bOK->setGeometry(ClientWidth - 176, 8, 80, 25);
    bOK->setDefault(true);
    bZamknij = new QPushButton(Tagged(3503), panel);
    bZamknij->setObjectName("bZamknij");
    bZamknij->setGeometry(ClientWidth - 88, 8, 80, 25);
    connect(bOK, &QPushButton::clicked, this, &TFormOpcje::bOKClick);
    connect(bZamknij, &QPushButton::clicked, this, &TFormOpcje::bZamknijClick);
}

bool TFormOpcje::FormCreate() {
    if (!TranslateForm())
        return false;
    LoadSettings();
    return true;
}

void TFormOpcje::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // The dialog opens with the stored values. The menu check marks are left alone: they
    // were loaded at start and have followed the menu since; loading them again would
    // undo a language switch or a grid toggle that is not saved yet.
    load(false);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormOpcje::LoadSettings() {
    load(true);
}

void TFormOpcje::load(bool menuItems) {
    if (SettingsStoreRefusal())
        return; // the defaults stay
    const QSettings store(QString::fromLatin1(Organization), QString::fromLatin1(Application));
    const auto integer = [&store](const SettingKey& key) {
        return StoredInt32(store.value(KeyName(key)));
    };
    const auto check = [&store](const SettingKey& key, auto* control) {
        if (control == nullptr)
            return;
        if (const auto value = StoredBool(store.value(KeyName(key))))
            control->setChecked(*value);
    };

    if (const auto colour = integer(Settings::BackgroundColor))
        cbKolorTla->setColourCode(std::uint32_t(*colour));
    if (const auto units = integer(Settings::Units))
        cbJednostki->setCurrentIndex(
            Settings::Units.inRange(*units) && *units < cbJednostki->count() ? *units : -1);
    if (cbJednostki->currentIndex() < 0)
        cbJednostki->setCurrentIndex(Settings::Units.defaultValue);
    if (const auto x = integer(Settings::GridX))
        sXGrid->setValue(Settings::GridX.clamped(*x));
    if (const auto y = integer(Settings::GridY))
        sYGrid->setValue(Settings::GridY.clamped(*y));
    if (const auto colour = integer(Settings::GridColor))
        cbKolorGrid->setColourCode(std::uint32_t(*colour));
    check(Settings::VisibleGrid, cbVisibleGrid);
    check(Settings::SnapGrid, cbSnapGrid);
    if (!menuItems)
        return;
    check(Settings::Rulers, menuItems_.Linijki);
    check(Settings::Grid, menuItems_.Siatka1);
    check(Settings::Guides, menuItems_.Prowadnice1);
    check(Settings::Polish, menuItems_.Polska1);
    check(Settings::English, menuItems_.Angielska1);
    check(Settings::StabilityMarker, menuItems_.StabilityMarker);
}

void TFormOpcje::SaveSettings() {
    if (const auto refusal = SettingsStoreRefusal()) {
        qWarning().noquote() << "settings not saved:" << *refusal;
        return;
    }
    QSettings store(QString::fromLatin1(Organization), QString::fromLatin1(Application));
    if (!store.isWritable())
        return;
    const auto write = [&store](const SettingKey& key, std::int32_t value) {
        store.setValue(KeyName(key), value);
    };
    const auto flag = [](const QAction* item) {
        return item != nullptr && item->isChecked();
    };
    write(Settings::BackgroundColor, std::int32_t(cbKolorTla->colourCode()));
    write(Settings::Units, displayUnitIndex());
    write(Settings::GridX, SpacingOf(*sXGrid));
    write(Settings::GridY, SpacingOf(*sYGrid));
    write(Settings::GridColor, std::int32_t(cbKolorGrid->colourCode()));
    write(Settings::VisibleGrid, cbVisibleGrid->isChecked() ? 1 : 0);
    write(Settings::SnapGrid, cbSnapGrid->isChecked() ? 1 : 0);
    write(Settings::Rulers, flag(menuItems_.Linijki) ? 1 : 0);
    write(Settings::Grid, flag(menuItems_.Siatka1) ? 1 : 0);
    write(Settings::Guides, flag(menuItems_.Prowadnice1) ? 1 : 0);
    write(Settings::Polish, flag(menuItems_.Polska1) ? 1 : 0);
    write(Settings::English, flag(menuItems_.Angielska1) ? 1 : 0);
    if (menuItems_.StabilityMarker != nullptr)
        write(Settings::StabilityMarker, flag(menuItems_.StabilityMarker) ? 1 : 0);
    store.sync();
}

void TFormOpcje::ResetSettings() {
    if (SettingsStoreRefusal())
        return;
    QSettings store(QString::fromLatin1(Organization), QString::fromLatin1(Application));
    store.clear();
    store.sync();
}

GridOptions TFormOpcje::gridOptions() {
    return GridOptions{SpacingOf(*sXGrid), SpacingOf(*sYGrid), cbKolorGrid->colour()};
}

int TFormOpcje::displayUnitIndex() const {
    return std::max(0, cbJednostki->currentIndex());
}

void TFormOpcje::bOKClick() {
    if (!saveAllowed_ || saveAllowed_())
        SaveSettings();
    saveMotorFolders();
    saveUnits();
    if (redrawDesigns_)
        redrawDesigns_();
    close();
}

void TFormOpcje::bZamknijClick() {
    close();
}

} // namespace vantor
