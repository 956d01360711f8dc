#include "ui/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void loadPreview_data();
    void loadPreview();
};

void TestPictures::loadPreview_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // "JPEG", "PNG", "BMP", "MISSING" or raw bytes
    QTest::addColumn<bool>("picture");

    QTest::newRow("jpg") << "a.jpg" << QByteArray("JPEG") << true;
    QTest::newRow("png") << "a.png" << QByteArray("PNG") << true;
    // The two lower-case endings force their decoder.
    QTest::newRow("png data named jpg") << "a.jpg" << QByteArray("PNG") << false;
    QTest::newRow("jpeg data named png") << "a.png" << QByteArray("JPEG") << false;
    // Every other ending goes to the general loader.
    QTest::newRow("upper-case JPG") << "a.JPG" << QByteArray("JPEG") << true;
    QTest::newRow("upper-case PNG") << "a.PNG" << QByteArray("PNG") << true;
    QTest::newRow("jpeg ending") << "a.jpeg" << QByteArray("JPEG") << true;
    QTest::newRow("bitmap") << "a.bmp" << QByteArray("BMP") << true;
    QTest::newRow("text") << "a.txt" << QByteArray("just words") << false;
    QTest::newRow("damaged png") << "a.png" << QByteArray("\x89PNG\r\n\x1a\n broken") << false;
    QTest::newRow("empty file") << "a.png" << QByteArray() << false;
    QTest::newRow("missing file") << "a.png" << QByteArray("MISSING") << false;
}

void TestPictures::loadPreview() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, picture);

    QByteArray bytes = content;
    if (content == "JPEG" || content == "PNG" || content == "BMP") {
        QImage image(5, 3, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QBuffer buffer(&bytes);
        bytes.clear();
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, content.constData()));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (content != "MISSING") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    const QPixmap preview = Pictures::loadPreview(path);
    QCOMPARE(!preview.isNull(), picture);
    if (picture)
        QCOMPARE(preview.size(), QSize(5, 3));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
