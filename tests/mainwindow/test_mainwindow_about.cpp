#include "mainwindow/aboutdialog.h"
#include "support/testmain.h"

#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tarnel;

namespace {

QLabel* textLine(const AboutDialog& dialog, const QString& name)
{
    auto* label = dialog.findChild<QLabel*>(name);
    if (!label)
        qFatal("no label %s", qPrintable(name));
    return label;
}

const QStringList lineNames = {"version", "built", "credits", "homePage"};

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void window();
    void textLines_data();
    void textLines();
    void linesStackAtLowerRight();
    void pictureLoads();
    void pictureDrawnFromTopLeft();
    void textStandsOnDarkGround();
    void closeCloses();
    void openingTwiceShowsSameContent();
};

void AboutTest::window()
{
    AboutDialog dialog;
    QCOMPARE(dialog.objectName(), QString("aboutDialog"));
    QCOMPARE(dialog.windowTitle(), QString("About Tarnel"));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.minimumSize(), QSize(640, 349));
    QCOMPARE(dialog.maximumSize(), QSize(640, 349));
    dialog.show();
    QCOMPARE(dialog.size(), QSize(640, 349));
    QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
    QCOMPARE(dialog.findChild<QPushButton*>("aboutCloseButton")->text(), QString("Close"));
}

void AboutTest::textLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("version") << "version"
                             << "Version Beta 0.1";
    QTest::newRow("built") << "built"
                           << "Built 16-Feb-04";
    QTest::newRow("credits") << "credits"
                             << "Written by the Tarnel developers";
    QTest::newRow("home page") << "homePage"
                               << "https://tarnel.example.org/";
}

void AboutTest::textLines()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    AboutDialog dialog;
    dialog.show();
    QLabel* label = textLine(dialog, name);
    QCOMPARE(label->text(), text);
    QVERIFY(label->isVisible());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0xff, 0xff, 0xff));
    QVERIFY(!label->autoFillBackground());
    QCOMPARE(label->font().family(), QString("Verdana"));
    // The whole text fits its label and the label fits the picture.
    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width());
    QVERIFY(dialog.rect().contains(label->geometry()));
}

void AboutTest::linesStackAtLowerRight()
{
    AboutDialog dialog;
    dialog.show();
    const QRect close = dialog.findChild<QPushButton*>("aboutCloseButton")->geometry();
    int previousBottom = 0;
    for (const QString& name : lineNames) {
        const QLabel* label = textLine(dialog, name);
        const QRect r = label->geometry();
        QVERIFY2(r.top() >= previousBottom, qPrintable(name));
        QVERIFY2(r.top() > dialog.height() / 2, qPrintable(name));
        QVERIFY2(r.left() > dialog.width() / 3, qPrintable(name));
        QVERIFY2(label->alignment() & Qt::AlignRight, qPrintable(name));
        QVERIFY2(!r.intersects(close), qPrintable(name));
        previousBottom = r.bottom() + 1;
    }
}

void AboutTest::pictureLoads()
{
    QVERIFY(QImageReader::supportedImageFormats().contains("gif"));
    QImageReader reader(AboutDialog::picturePath());
    QCOMPARE(reader.format(), QByteArray("gif"));
    const QImage picture = reader.read();
    QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(picture.size(), QSize(AboutDialog::pictureWidth, AboutDialog::pictureHeight));
    QCOMPARE(picture.size(), QSize(640, 349));
}

void AboutTest::pictureDrawnFromTopLeft()
{
    const QImage picture = QImage(AboutDialog::picturePath()).convertToFormat(QImage::Format_RGB32);
    AboutDialog dialog;
    dialog.show();
    const QImage shown = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), picture.size());
    // Away from the text and the button the dialog shows the picture pixel for pixel.
    const QRect plain(0, 0, 640, 160);
    for (int y = plain.top(); y <= plain.bottom(); y += 7) {
        for (int x = plain.left(); x <= plain.right(); x += 11) {
            if (shown.pixel(x, y) != picture.pixel(x, y))
                QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(x).arg(y)));
        }
    }
}

void AboutTest::textStandsOnDarkGround()
{
    // White text needs a dark picture under it.
    const QImage picture = QImage(AboutDialog::picturePath()).convertToFormat(QImage::Format_RGB32);
    AboutDialog dialog;
    for (const QString& name : lineNames) {
        const QRect r = textLine(dialog, name)->geometry();
        double lightness = 0;
        int samples = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                lightness += QColor(picture.pixel(x, y)).lightnessF();
                ++samples;
            }
        }
        QVERIFY2(lightness / samples < 0.25, qPrintable(name));
    }
}

void AboutTest::closeCloses()
{
    AboutDialog dialog;
    dialog.show();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton*>("aboutCloseButton"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void AboutTest::openingTwiceShowsSameContent()
{
    AboutDialog dialog;
    dialog.show();
    const QImage first = dialog.grab().toImage();
    QTest::mouseClick(dialog.findChild<QPushButton*>("aboutCloseButton"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QVERIFY(dialog.isVisible());
    const QImage second = dialog.grab().toImage();
    QVERIFY(!first.isNull());
    QCOMPARE(second, first);

    // A second box made afresh looks the same too.
    AboutDialog other;
    other.show();
    QCOMPARE(other.grab().toImage(), first);
    for (const QString& name : lineNames)
        QCOMPARE(textLine(other, name)->text(), textLine(dialog, name)->text());
}

TARNEL_TEST_MAIN(AboutTest)
#include "test_mainwindow_about.moc"
