// Run by the build: scales the pictures to the frames the splash and about windows have when they
// are first shown, exactly as a picture frame scales them at run time (the whole picture as a
// pixmap, stretched smoothly), and decodes the program's icon. Writes the pixels as C++ arrays, so
// that the program shows its first window without decoding or scaling a picture.
// Usage: balance4_prescale_pictures <output.cpp> <picture folder>
// Run it on the offscreen platform: the pixel format of a pixmap is the screen's.
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QTextStream>
#include <cstdio>

#include "jpeg_image.h"

namespace {

struct Job {
    const char* Name;     // the Picture enumerator
    const char* File;     // in the picture folder
    QList<QSize> Frames;  // the frame sizes, in device pixels
};

// Splash: banner 590 x 96; about window: banner 582 x 96; both: cog wheels 150 x 150.
const Job kJobs[] = {
    {"Banner", "banner.bmp", {{590, 96}, {582, 96}}},
    {"CogwheelJpeg", "cogwheel.jpg", {{150, 150}}},
    {"CogwheelBitmap", "cogwheel.bmp", {{150, 150}}},
};

QImage Read(const QString& path, const char* format) {
    if (path.endsWith(".jpg")) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
    }
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The pixels as one array, and the line of the table that describes them.
void Write(QTextStream& out, QTextStream& table, const QString& name, const QString& picture,
           QImage::Format sourceFormat, QImage::Format pixmapFormat, const QImage& image) {
    out << "alignas(16) const unsigned char k" << name << "[] = {";
    const qsizetype bytes = image.sizeInBytes();
    const uchar* bits = image.constBits();
    for (qsizetype i = 0; i < bytes; ++i) out << (i % 24 == 0 ? "\n" : "") << int(bits[i]) << ',';
    out << "\n};\n";
    table << "    {Picture::" << picture << ", " << image.width() << ", " << image.height() << ", "
          << image.bytesPerLine() << ", QImage::Format(" << int(image.format())
          << "), QImage::Format(" << int(sourceFormat) << "), QImage::Format(" << int(pixmapFormat)
          << "), k" << name << "},\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output.cpp> <picture folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]) + '/';
    QString arrays, table;
    QTextStream out(&arrays), rows(&table);
    for (const Job& job : kJobs) {
        const QImage whole = Read(folder + job.File, "bmp");
        if (whole.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", job.File);
            return 1;
        }
        // The same steps as a picture frame at run time.
        const QImage asPixmap = QPixmap::fromImage(whole).toImage();
        for (const QSize& frame : job.Frames) {
            const QImage scaled =
                asPixmap.scaled(frame, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QString name =
                QString("%1%2x%3").arg(job.Name).arg(frame.width()).arg(frame.height());
            Write(out, rows, name, job.Name, whole.format(), asPixmap.format(),
                  QPixmap::fromImage(scaled).toImage());
        }
    }
    QImageReader iconReader(folder + "icon.ico", "ico");
    iconReader.setAutoDetectImageFormat(false);
    const QImage icon = iconReader.read();
    if (icon.isNull()) {
        std::fprintf(stderr, "cannot read icon.ico\n");
        return 1;
    }
    QString iconRow;
    QTextStream iconStream(&iconRow);
    Write(out, iconStream, "Icon", "Banner", icon.format(), icon.format(), icon);

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream cpp(&file);
    cpp << "// Made by tools/prescale_pictures.cpp when the program is built.\n"
        << "#include \"prescaled_pictures.h\"\n\nnamespace {\n"
        << arrays << "}  // namespace\n\n"
        << "const PrescaledPicture kPrescaledPictures[] = {\n"
        << table << "};\n"
        << "const int kPrescaledPictureCount = " << table.count('\n') << ";\n"
        << "const PrescaledPicture kPrescaledIcon =\n"
        << iconRow.chopped(2) << ";\n";
    return cpp.status() == QTextStream::Ok ? 0 : 1;
}
