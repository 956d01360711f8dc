#include "editor/EditorSession.h"

#include <QImage>
#include <QLabel>
#include <QtTest>

// The header and plugin previews show a chosen picture stretched over "[No image]"; a
// transparent picture must not let that label show through.
class TestPicturePreview : public QObject {
    Q_OBJECT

private slots:
    void chosenPictureCoversLabel_data();
    void chosenPictureCoversLabel();
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
    const QString path = s.form.sRootDir + QStringLiteral("/fomod/picture.png");
    QVERIFY(picture.save(path));

    s.prompts.vFileAnswers.append({path});
    s.click(chooseButton);
    QVERIFY(s.prompts.messages().isEmpty());

    auto* box = s.component<QLabel>(image);
    const QImage shown = box->pixmap().toImage();
    QCOMPARE(shown.size(), picture.size());
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::red));
    const QColor right = shown.pixelColor(7, 3);
    QCOMPARE(right.alpha(), 255);
    QCOMPARE(right, transparent ? box->palette().color(QPalette::Window) : QColor(Qt::blue));
}

QTEST_MAIN(TestPicturePreview)
#include "tst_picture_preview.moc"
