#include "editor/EditorSession.h"

#include <QImage>
#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// The bounds of the red pixels of an image.
QRect redArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                area |= QRect(x, y, 1, 1);
        }
    return area;
}

} // namespace

// The header and plugin previews show a chosen picture inside their frame over "[No image]":
// small pictures at their own size, larger ones scaled down with their proportions kept,
// centred; no part of "[No image]" shows through.
class TestPicturePreview : public QObject {
    Q_OBJECT

private slots:
    void chosenPictureCoversLabel_data();
    void chosenPictureCoversLabel();
    void proportionsKept_data();
    void proportionsKept();
    void undecodablePictureEmptiesPreview_data();
    void undecodablePictureEmptiesPreview();
};

void TestPicturePreview::chosenPictureCoversLabel_data() {
    QTest::addColumn<QString>("chooseButton");
    QTest::addColumn<QString>("image");
    QTest::addColumn<bool>("transparent");

    QTest::newRow("header, opaque") << "ChooseHeaderImageButton"
                                    << "HeaderImage" << false;
    QTest::newRow("header, transparent") << "ChooseHeaderImageButton"
                                         << "HeaderImage" << true;
    QTest::newRow("plugin, opaque") << "ChoosePluginImageButton"
                                    << "PluginImage" << false;
    QTest::newRow("plugin, transparent") << "ChoosePluginImageButton"
                                         << "PluginImage" << true;
}

void TestPicturePreview::chosenPictureCoversLabel() {
    QFETCH(QString, chooseButton);
    QFETCH(QString, image);
    QFETCH(bool, transparent);

    EditorSession s;
    s.proceed();
    s.addGroup(QStringLiteral("G"));
    s.addPlugin(QStringLiteral("P"));
    // Left half red, right half fully transparent (or blue).
    QImage picture(8, 4, QImage::Format_ARGB32);
    picture.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::blue));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture.setPixelColor(x, y, Qt::red);
    const QString path = s.doc.sRootDir + QStringLiteral("/fomod/picture.png");
    QVERIFY(picture.save(path));

    s.prompts.vFileAnswers.append({path});
    s.click(chooseButton);
    QVERIFY(s.prompts.messages().isEmpty());

    auto* box = s.component<QLabel>(image);
    const QImage shown = box->pixmap().toImage();
    QCOMPARE(shown.size(), box->contentsRect().size());
    const QColor window = box->palette().color(QPalette::Window);
    // At its own size in the middle, the box around it opaque.
    const QRect area = redArea(shown);
    QCOMPARE(area.size(), QSize(4, 4));
    QCOMPARE(area.left(), (shown.width() - 8) / 2);
    const QColor right = shown.pixelColor(area.right() + 4, area.bottom());
    QCOMPARE(right.alpha(), 255);
    QCOMPARE(right, transparent ? window : QColor(Qt::blue));
    QCOMPARE(shown.pixelColor(0, 0), window);
}

void TestPicturePreview::proportionsKept_data() {
    QTest::addColumn<QString>("chooseButton");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QSize>("pictureSize");

    QTest::newRow("header, wide") << "ChooseHeaderImageButton"
                                  << "HeaderImage" << QSize(600, 100);
    QTest::newRow("header, tall") << "ChooseHeaderImageButton"
                                  << "HeaderImage" << QSize(90, 400);
    QTest::newRow("plugin, wide") << "ChoosePluginImageButton"
                                  << "PluginImage" << QSize(1000, 250);
    QTest::newRow("plugin, small and tall") << "ChoosePluginImageButton"
                                            << "PluginImage" << QSize(20, 60);
}

void TestPicturePreview::proportionsKept() {
    QFETCH(QString, chooseButton);
    QFETCH(QString, image);
    QFETCH(QSize, pictureSize);

    EditorSession s;
    s.proceed();
    s.addGroup(QStringLiteral("G"));
    s.addPlugin(QStringLiteral("P"));
    QImage picture(pictureSize, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString path = s.doc.sRootDir + QStringLiteral("/fomod/picture.png");
    QVERIFY(picture.save(path));
    s.prompts.vFileAnswers.append({path});
    s.click(chooseButton);

    auto* box = s.component<QLabel>(image);
    const QImage shown = box->pixmap().toImage();
    const QSize room = box->contentsRect().size();
    QCOMPARE(shown.size(), room);
    const QRect area = redArea(shown);
    // Never larger than the picture, filling the box in one direction when scaled down.
    QVERIFY(area.width() <= pictureSize.width() && area.height() <= pictureSize.height());
    const bool scaled = pictureSize.width() > room.width() || pictureSize.height() > room.height();
    if (scaled)
        QVERIFY2(area.width() >= room.width() - 1 || area.height() >= room.height() - 1,
                 qPrintable(QStringLiteral("%1x%2").arg(area.width()).arg(area.height())));
    else
        QCOMPARE(area.size(), pictureSize);
    // The same proportions, to a pixel.
    const double scale = std::min(1.0, std::min(double(room.width()) / pictureSize.width(),
                                                double(room.height()) / pictureSize.height()));
    QVERIFY(std::abs(area.width() - pictureSize.width() * scale) <= 1.0);
    QVERIFY(std::abs(area.height() - pictureSize.height() * scale) <= 1.0);
    // Centred.
    QVERIFY(std::abs(area.left() - (room.width() - 1 - area.right())) <= 1);
    QVERIFY(std::abs(area.top() - (room.height() - 1 - area.bottom())) <= 1);
}

void TestPicturePreview::undecodablePictureEmptiesPreview_data() {
    QTest::addColumn<QString>("chooseButton");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("noImageLabel");
    QTest::newRow("header") << "ChooseHeaderImageButton"
                            << "HeaderImage"
                            << "NoHeaderImageLabel";
    QTest::newRow("plugin") << "ChoosePluginImageButton"
                            << "PluginImage"
                            << "NoImageLabel";
}

// The path is stored, and the preview no longer shows the picture chosen before it.
void TestPicturePreview::undecodablePictureEmptiesPreview() {
    QFETCH(QString, chooseButton);
    QFETCH(QString, image);
    QFETCH(QString, noImageLabel);

    EditorSession s;
    s.proceed();
    s.addGroup(QStringLiteral("G"));
    s.addPlugin(QStringLiteral("P"));
    const QString good = s.doc.sRootDir + QStringLiteral("/fomod/good.png");
    const QString bad = s.doc.sRootDir + QStringLiteral("/fomod/bad.png");
    EditorSession::writePicture(good);
    EditorSession::writeFile(bad, "no picture inside");

    s.prompts.vFileAnswers.append({good});
    s.click(chooseButton);
    QVERIFY(s.showsPicture(image));
    s.prompts.vFileAnswers.append({bad});
    s.click(chooseButton);
    QVERIFY(s.prompts.messages().isEmpty());
    QVERIFY(!s.showsPicture(image));
    QVERIFY(!s.component<QLabel>(noImageLabel)->isHidden());
    const QString stored = QStringLiteral("fomod\\bad.png");
    QCOMPARE(image == QLatin1String("HeaderImage") ? s.doc.project.sImage
                                                   : s.step().vGroups[0].vPlugins[0].sImage,
             stored);
}

QTEST_MAIN(TestPicturePreview)
#include "tst_picture_preview.moc"
