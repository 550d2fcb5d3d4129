#include "i18n/FormTranslator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace vantor;

namespace {

// A library of a few strings; records which identifiers were asked for, in order.
class FakeLibrary {
public:
    QString operator()(int id) {
        asked.append(id);
        return strings.value(id);
    }
    QMap<int, QString> strings{
        {10, "Caption ten"}, {11, "Short|Long part"}, {12, "Whole hint"},      {13, "View"},
        {14, "Open"},        {15, "Objects page"},    {16, "Dimensions page"}, {17, "General page"},
        {30, "Root A"},      {31, "Child A1"},        {32, "Grandchild"},      {33, "Root B"},
        {40, "pixels"},      {41, "inches"},
    };
    QList<int> asked;
};

template <class T> T* Named(T* object, const char* name) {
    object->setObjectName(QLatin1String(name));
    return object;
}

} // namespace

// A control class of the program's own, derived from a translated class.
class RoundButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
};

class FormTranslatorTest : public QObject {
    Q_OBJECT
private slots:
    void init() { library.asked.clear(); }
    void formCaptionAndControls();
    void hintsAreSplitIntoToolTipAndStatusTip_data();
    void hintsAreSplitIntoToolTipAndStatusTip();
    void lineEditKeepsItsText();
    void textWithoutKnownIdentifierBecomesEmpty_data();
    void textWithoutKnownIdentifierBecomesEmpty();
    void onlyExactClassesOfNamedComponentsAreTranslated();
    void actionsAndMenusAreTranslatedOnce();
    void toolButtonShowingAnActionFollowsIt();
    void toolbarAndToolWindowKeepTheirToggleItems();
    void pagesOfTabAndStackedWidgets();
    void treeNodesInAbsoluteOrder();
    void comboItems_data();
    void comboItems();
    void pictureLabelKeepsItsPicture();
    void formInsideTheFormTranslatesItself();

private:
    void translate(QWidget& form) { TranslateComponents(form, std::ref(library)); }
    FakeLibrary library;
};

void FormTranslatorTest::formCaptionAndControls() {
    QWidget form;
    form.setWindowTitle("Opcje@10");
    auto* button = Named(new QPushButton("OK@14", &form), "btnOK");
    auto* check = Named(new QCheckBox("Siatka widoczna@13", &form), "cbVisibleGrid");
    auto* group = new QGroupBox("Kolory@15", &form); // nested below
    Named(group, "GroupKolory");
    auto* label = Named(new QLabel("Kolor tła@16", group), "LabelTla");
    auto* speed = Named(new QToolButton(&form), "SpeedButton1");
    speed->setText("Skala@17");

    translate(form);

    QCOMPARE(form.windowTitle(), QStringLiteral("Caption ten"));
    QCOMPARE(button->text(), QStringLiteral("Open"));
    QCOMPARE(check->text(), QStringLiteral("View"));
    QCOMPARE(group->title(), QStringLiteral("Objects page"));
    QCOMPARE(label->text(), QStringLiteral("Dimensions page"));
    QCOMPARE(speed->text(), QStringLiteral("General page"));
}

void FormTranslatorTest::hintsAreSplitIntoToolTipAndStatusTip_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");
    QTest::newRow("two parts") << "Open|Open a file@11"
                               << "Short"
                               << "Long part";
    QTest::newRow("one part") << "Lista obiektow@12"
                              << "Whole hint"
                              << "Whole hint";
    QTest::newRow("no identifier") << "zapraszamy"
                                   << ""
                                   << "";
    QTest::newRow("no hint") << ""
                             << ""
                             << "";
}

void FormTranslatorTest::hintsAreSplitIntoToolTipAndStatusTip() {
    QFETCH(QString, stored);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    QWidget form;
    QList<QWidget*> widgets{
        Named(new QPushButton(&form), "Button"), Named(new QCheckBox(&form), "Check"),
        Named(new QLabel(&form), "Label"),       Named(new QGroupBox(&form), "Group"),
        Named(new QLineEdit(&form), "Edit"),     Named(new QToolButton(&form), "Speed"),
        Named(new QToolBar(&form), "Bar"),       Named(new QDockWidget(&form), "Dock")};
    auto* action = Named(new QAction("Akcja", &form), "AAction");
    for (QWidget* widget : widgets)
        widget->setToolTip(stored);
    action->setToolTip(stored);

    translate(form);

    for (QWidget* widget : widgets) {
        QCOMPARE(widget->toolTip(), toolTip);
        QCOMPARE(widget->statusTip(), statusTip);
    }
    QCOMPARE(action->statusTip(), statusTip);
    if (!toolTip.isEmpty()) // an action without a tool tip shows its text instead
        QCOMPARE(action->toolTip(), toolTip);
}

void FormTranslatorTest::lineEditKeepsItsText() {
    QWidget form;
    auto* edit = Named(new QLineEdit("0@10", &form), "edX");
    edit->setToolTip("Przesunięcie@12");
    translate(form);
    QCOMPARE(edit->text(), QStringLiteral("0@10"));
    QCOMPARE(edit->toolTip(), QStringLiteral("Whole hint"));
}

void FormTranslatorTest::textWithoutKnownIdentifierBecomesEmpty_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("identifier the library lacks") << "Foo@9999";
    QTest::newRow("no identifier") << "3D";
    QTest::newRow("not a number") << "Siatka@12a";
}

void FormTranslatorTest::textWithoutKnownIdentifierBecomesEmpty() {
    QFETCH(QString, stored);
    QWidget form;
    form.setWindowTitle(stored);
    auto* label = Named(new QLabel(stored, &form), "Label1");
    auto* action = Named(new QAction(stored, &form), "A3d");
    translate(form);
    QCOMPARE(form.windowTitle(), QString());
    QCOMPARE(label->text(), QString());
    QCOMPARE(action->text(), QString());
}

void FormTranslatorTest::onlyExactClassesOfNamedComponentsAreTranslated() {
    QWidget form;
    auto* round = Named(new RoundButton("Okrągły@10", &form), "RoundButton1");
    round->setToolTip("Hint@11");
    auto* unnamed = new QPushButton("Bez nazwy@10", &form);
    auto* internal = Named(new QLabel("Wewnętrzny@10", &form), "qt_internal_label");
    auto* plain = Named(new QPushButton("Zwykły@10", &form), "Button1");

    translate(form);

    QCOMPARE(round->text(), QStringLiteral("Okrągły@10"));
    QCOMPARE(round->toolTip(), QStringLiteral("Hint@11"));
    QCOMPARE(unnamed->text(), QStringLiteral("Bez nazwy@10"));
    QCOMPARE(internal->text(), QStringLiteral("Wewnętrzny@10"));
    QCOMPARE(plain->text(), QStringLiteral("Caption ten"));
}

void FormTranslatorTest::actionsAndMenusAreTranslatedOnce() {
    QWidget form;
    auto* view = Named(new QMenu("Widok@13", &form), "Widok1");
    view->menuAction()->setToolTip("Polecenia@12");
    auto* grid = Named(new QAction("Siatka@10", &form), "Siatka1");
    grid->setToolTip("Siatka|Pokaż siatkę@11");
    view->addAction(grid);
    auto* bar = Named(new QToolBar(&form), "BarPodstawowy");
    bar->addAction(grid);
    auto* zoom = Named(view->addMenu("Zoom@14"), "Zoom1");
    auto* ruler = Named(view->addAction("Linijki@12"), "AShowLinijki"); // no hint of its own

    translate(form);

    QCOMPARE(view->title(), QStringLiteral("View"));
    QCOMPARE(view->menuAction()->toolTip(), QStringLiteral("Whole hint"));
    QCOMPARE(view->menuAction()->statusTip(), QStringLiteral("Whole hint"));
    QCOMPARE(zoom->title(), QStringLiteral("Open"));
    QCOMPARE(grid->text(), QStringLiteral("Caption ten"));
    QCOMPARE(grid->toolTip(), QStringLiteral("Short"));
    QCOMPARE(grid->statusTip(), QStringLiteral("Long part"));
    QCOMPARE(library.asked.count(10), 1);
    QCOMPARE(ruler->text(), QStringLiteral("Whole hint"));
    QCOMPARE(ruler->statusTip(), QString());
}

void FormTranslatorTest::toolButtonShowingAnActionFollowsIt() {
    QWidget form;
    auto* properties = Named(new QAction("Właściwości@15", &form), "AParametry");
    auto* button = Named(new QToolButton(&form), "bParametry");
    button->setDefaultAction(properties);
    translate(form);
    QCOMPARE(properties->text(), QStringLiteral("Objects page"));
    QCOMPARE(button->text(), QStringLiteral("Objects page"));
}

void FormTranslatorTest::toolbarAndToolWindowKeepTheirToggleItems() {
    QWidget form;
    auto* bar = Named(new QToolBar("BarFigury@13", &form), "BarFigury");
    auto* window = Named(new QDockWidget("WindowFormObject@15", &form), "WindowFormObject");
    window->setToolTip("Obiekty projektu@12");
    translate(form);
    QCOMPARE(bar->windowTitle(), QStringLiteral("View"));
    QCOMPARE(bar->toggleViewAction()->text(), QStringLiteral("View"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Objects page"));
    QCOMPARE(window->toggleViewAction()->text(), QStringLiteral("Objects page"));
    QCOMPARE(window->toolTip(), QStringLiteral("Whole hint"));
}

void FormTranslatorTest::pagesOfTabAndStackedWidgets() {
    QWidget form;
    auto* tabs = Named(new QTabWidget(&form), "PageControl1");
    auto* objects = Named(new QWidget, "TabObiekty");
    auto* dimensions = Named(new QWidget, "TabWymiary");
    tabs->addTab(objects, "Obiekty@15");
    tabs->addTab(dimensions, "Wymiary@16");
    tabs->setTabToolTip(1, "Wymiary|Lista wymiarów@11");

    auto* pages = Named(new QStackedWidget(&form), "PageControl2");
    auto* general = Named(new QWidget, "TabOgolne");
    general->setProperty(PageCaptionProperty, "Ustawienia ogolne@17");
    general->setToolTip("Ogólne@12");
    pages->addWidget(general);

    translate(form);

    QCOMPARE(tabs->tabText(0), QStringLiteral("Objects page"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Dimensions page"));
    QCOMPARE(tabs->tabToolTip(1), QStringLiteral("Short"));
    QCOMPARE(dimensions->statusTip(), QStringLiteral("Long part"));
    QCOMPARE(general->property(PageCaptionProperty).toString(), QStringLiteral("General page"));
    QCOMPARE(general->toolTip(), QStringLiteral("Whole hint"));
}

void FormTranslatorTest::treeNodesInAbsoluteOrder() {
    QWidget form;
    form.setWindowTitle("Opcje@10");
    auto* tree = Named(new QTreeWidget(&form), "TreeView1");
    auto* rootA = new QTreeWidgetItem(tree, {"A@30"});
    auto* child = new QTreeWidgetItem(rootA, {"A1@31"});
    auto* grandchild = new QTreeWidgetItem(child, {"A11@32"});
    auto* rootB = new QTreeWidgetItem(tree, {"B@33"});
    auto* bare = new QTreeWidgetItem(rootB, {"bez identyfikatora"});

    translate(form);

    QCOMPARE(library.asked, (QList<int>{10, 30, 31, 32, 33, 0}));
    QCOMPARE(rootA->text(0), QStringLiteral("Root A"));
    QCOMPARE(child->text(0), QStringLiteral("Child A1"));
    QCOMPARE(grandchild->text(0), QStringLiteral("Grandchild"));
    QCOMPARE(rootB->text(0), QStringLiteral("Root B"));
    QCOMPARE(bare->text(0), QString());
}

void FormTranslatorTest::comboItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("translated");
    QTest::newRow("units list") << "cbJednostki" << true;
    QTest::newRow("line style list") << "PenNameBox" << false;
    QTest::newRow("gradient type") << "ComboTypGradient" << false;
    QTest::newRow("line style") << "cbStylKreski" << false;
    QTest::newRow("size") << "Size" << false;
    QTest::newRow("name differing in case") << "penNameBox" << true;
    QTest::newRow("longer name") << "PenNameBox2" << true;
}

void FormTranslatorTest::comboItems() {
    QFETCH(QString, name);
    QFETCH(bool, translated);
    QWidget form;
    auto* combo = new QComboBox(&form);
    combo->setObjectName(name);
    const QStringList items{"piksele@40", "1", "0", "cale@41"};
    combo->addItems(items);
    combo->setCurrentIndex(3);

    translate(form);

    QStringList now;
    for (int i = 0; i < combo->count(); ++i)
        now.append(combo->itemText(i));
    const QStringList expected{"pixels", "", "", "inches"};
    QCOMPARE(now, translated ? expected : items);
    QCOMPARE(combo->currentIndex(), 3);
}

void FormTranslatorTest::pictureLabelKeepsItsPicture() {
    QWidget form;
    auto* picture = Named(new QLabel(&form), "ImageStatecznik");
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::red);
    picture->setPixmap(pixmap);
    picture->setToolTip("A: cięciwa@12");
    translate(form);
    QVERIFY(!picture->pixmap().isNull());
    QCOMPARE(picture->toolTip(), QStringLiteral("Whole hint"));
}

void FormTranslatorTest::formInsideTheFormTranslatesItself() {
    QWidget outer;
    auto* inner = Named(new QWidget(&outer), "FormObject");
    inner->setProperty(TranslatedFormProperty, true);
    auto* label = Named(new QLabel("Obiekty@15", inner), "Label1");
    translate(outer);
    QCOMPARE(label->text(), QStringLiteral("Obiekty@15"));
}

QTEST_MAIN(FormTranslatorTest)
#include "tst_form_translator.moc"
