#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include "jpeg_image.h"
#include "pictures.h"
#include "prescaled_pictures.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Bits per pixel as stored in a BMP file, or in the first image of an icon file.
int StoredBitsPerPixel(const QByteArray& data) {
    const int offset = data.startsWith("BM") ? 28 : 12;
    if (data.size() < offset + 2) return -1;
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

bool IsNear(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 &&
           qAbs(qBlue(a) - qBlue(b)) < 24;
}

bool HasNearPixel(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsNear(image.pixel(x, y), colour)) return true;
    return false;
}

const QByteArray& CogwheelJpeg() {
    static const QByteArray data = Contents(":/pictures/cogwheel.jpg");
    return data;
}

}  // namespace

class PictureTests : public QObject {
    Q_OBJECT
  private slots:
    void pictures_data();
    void pictures();
    void prescaledLikeScaledNow_data();
    void prescaledLikeScaledNow();
    void jpegDecodesLikeQt();
    void damagedJpegGivesNullImage_data();
    void damagedJpegGivesNullImage();
};

void PictureTests::pictures_data() {
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("storedBits");

    QTest::newRow("banner") << BannerPicture() << ":/pictures/banner.bmp" << QSize(992, 280) << 4;
    QTest::newRow("cog wheel bitmap")
        << CogwheelBitmapPicture() << ":/pictures/cogwheel.bmp" << QSize(216, 217) << 4;
    QTest::newRow("cog wheel JPEG") << CogwheelJpegPicture() << "" << QSize(216, 217) << 0;
    QTest::newRow("error sign") << ErrorSignPicture() << ":/pictures/error_sign.bmp"
                                << QSize(84, 66) << 24;
    QTest::newRow("icon") << QImage(":/pictures/icon.ico") << ":/pictures/icon.ico" << QSize(32, 32)
                          << 4;
}

void PictureTests::pictures() {
    QFETCH(QImage, image);
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(int, storedBits);

    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    if (!file.isEmpty()) QCOMPARE(StoredBitsPerPixel(Contents(file)), storedBits);
    // Every picture but the error sign is yellow on blue; the JPEG's colours are near ones.
    if (storedBits != 24) {
        QVERIFY(IsNear(image.pixel(0, 0), qRgb(0, 0, 255)));
        QVERIFY(HasNearPixel(image, qRgb(255, 255, 0)));
    }
}

// The copies scaled at build time stand in for scaling at run time only if the pixels are the same;
// the icon too is the file's, decoded.
void PictureTests::prescaledLikeScaledNow_data() {
    QTest::addColumn<QImage>("prescaled");
    QTest::addColumn<QImage>("now");
    for (int i = 0; i < kPrescaledPictureCount; ++i) {
        const PrescaledPicture& copy = kPrescaledPictures[i];
        const QSize size(copy.Width, copy.Height);
        QTest::addRow("picture %d at %dx%d", int(copy.Source), size.width(), size.height())
            << QImage(copy.Bits, size.width(), size.height(), copy.BytesPerLine, copy.Format)
            << ScaledPicture(copy.Source, size).toImage();
    }
    QImageReader icon(":/pictures/icon.ico", "ico");
    QTest::newRow("icon") << IconPicture() << icon.read();
}

void PictureTests::prescaledLikeScaledNow() {
    QFETCH(QImage, prescaled);
    QFETCH(QImage, now);
    QVERIFY(!now.isNull());
    QCOMPARE(prescaled.format(), now.format());
    QCOMPARE(prescaled, now);
}

// Qt's own decoder is libjpeg too: the pixels must agree exactly.
void PictureTests::jpegDecodesLikeQt() {
    const QImage ours = DecodeJpeg(CogwheelJpeg());
    QCOMPARE(ours.format(), QImage::Format_RGB888);
    QImage qts;
    QVERIFY(qts.loadFromData(CogwheelJpeg(), "JPG"));
    QCOMPARE(ours, qts.convertToFormat(QImage::Format_RGB888));
}

void PictureTests::damagedJpegGivesNullImage_data() {
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = CogwheelJpeg();
    QVERIFY(good.size() > 1000);

    QByteArray zeroHeight = good;
    const int frame = zeroHeight.indexOf("\xFF\xC0");
    QVERIFY(frame > 0);
    zeroHeight[frame + 5] = 0;  // height, high and low byte
    zeroHeight[frame + 6] = 0;

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a JPEG") << QByteArray("this is no picture at all");
    QTest::newRow("marker then garbage") << QByteArray("\xFF\xD8\xFF\x13garbage", 11);
    QTest::newRow("header only") << good.left(frame + 20);
    QTest::newRow("truncated to half") << good.left(good.size() / 2);
    QTest::newRow("last bytes missing") << good.left(good.size() - 10);
    QTest::newRow("zero height in frame header") << zeroHeight;
}

void PictureTests::damagedJpegGivesNullImage() {
    QFETCH(QByteArray, data);
    QVERIFY(DecodeJpeg(data).isNull());
    // Still alive, and the decoder still works after a failure.
    QVERIFY(!DecodeJpeg(CogwheelJpeg()).isNull());
}

QTEST_MAIN(PictureTests)

#include "picture_tests.moc"
