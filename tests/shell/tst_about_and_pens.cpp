#include "shell/AboutBox.h"
#include "shell/PenNameBox.h"
#include "support/TestMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDesktopServices>
#include <QImageReader>
#include <QLabel>
#include <QtTest>

using namespace vantor;

// Collects the addresses the program hands to the system's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestAboutAndPens : public QObject {
    Q_OBJECT
private slots:
    void aboutPictureIsAJpegTheProgramCarries() {
        QImageReader reader(QStringLiteral(":/about.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        TAboutBox box(QUrl{});
        QVERIFY(!box.picture().isNull());
        QCOMPARE(box.picture().size(), reader.size());
        QVERIFY(!box.ProgramIcon->pixmap().isNull());
    }

    void clickOnLinkOrPictureOpensTheManual_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QUrl>("address");
        const QUrl manual = QUrl::fromLocalFile("/usr/share/vantor/help/pl/index.html");
        QTest::newRow("link") << "Link" << manual;
        QTest::newRow("picture") << "ProgramIcon" << manual;
        QTest::newRow("picture, no manual found") << "ProgramIcon" << QUrl();
    }

    void clickOnLinkOrPictureOpensTheManual() {
        QFETCH(QString, target);
        QFETCH(QUrl, address);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        TAboutBox box(address);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* label = box.findChild<QLabel*>(target);
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("file");
        // The link names the manual's file; without a manual it is not shown at all.
        auto* link = box.findChild<QLabel*>("Link");
        QCOMPARE(link->isVisible(), !address.isEmpty());
        if (address.isEmpty()) {
            QVERIFY(catcher.opened.isEmpty());
        } else {
            QCOMPARE(catcher.opened, QList<QUrl>{address});
            QVERIFY(link->text().contains("/usr/share/vantor/help/pl/index.html"));
        }
    }

    void penListHasFourteenStylesAndTheirWidths() {
        QComboBox* box = CreatePenNameBox(nullptr);
        std::unique_ptr<QComboBox> owner(box);
        QCOMPARE(box->count(), 14);
        QCOMPARE(box->currentIndex(), 0);
        const int widths[] = {1, 1, 1, 1, 1, 0, 2, 3, 4, 5, 6, 7, 8, 9};
        for (int i = 0; i < 14; ++i) {
            box->setCurrentIndex(i);
            QCOMPARE(CurrentPenWidth(*box), widths[i]);
        }
    }

    void penListDrawsItsEntries() {
        std::unique_ptr<QComboBox> box(CreatePenNameBox(nullptr));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        box->showPopup();
        QAbstractItemView* view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QImage shot = view->viewport()->grab().toImage();
        // A solid entry draws dark pixels in its sample line; the no-pen entry draws
        // none there.
        const auto darkInLine = [&](int row) {
            const QRect r = view->visualRect(box->model()->index(row, 0));
            int dark = 0;
            for (int x = r.left() + 5; x < r.right() - 35; ++x)
                dark += qGray(shot.pixel(x, r.top() + 8)) < 128;
            return dark;
        };
        QVERIFY(darkInLine(0) > 20);
        QCOMPARE(darkInLine(5), 0);
        box->hidePopup();
    }
};

VANTOR_TEST_MAIN(TestAboutAndPens)
#include "tst_about_and_pens.moc"
