// Draws the program's pictures and icon from scratch into resources/pictures/:
//   banner.bmp      992 x 280, 16 colours (4 bits per pixel)
//   cogwheel.jpg    216 x 217, colour JPEG
//   cogwheel.bmp    216 x 217, 16 colours
//   error_sign.bmp  84 x 66, 24 bits per pixel
//   icon.ico        32 x 32, 16 colours
//   icon.svg        the desktop's icon (menus, launchers, panels), drawn as a scalable path
//   icon_<N>.png    the same drawing at 16, 24, 32, 48, 64, 128 and 256 pixels, antialiased
//   job_icon.svg, job_icon_<N>.png   the job window's icon: the same cogwheel on green
// The files are committed; re-run this only to change a picture:
//   cmake --build build --target balance4_draw_pictures
//   build/tools/balance4_draw_pictures resources/pictures
// Qt writes BMPs with 1, 8 or 24 bits only, so the 16-colour files are written here.
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <array>
#include <cstdio>

namespace {

// The standard 16-colour palette; blue and yellow are exact members of it.
const std::array<QRgb, 16> kPalette = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
    0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

int NearestPaletteIndex(QRgb colour) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(colour) - qRed(kPalette[i]);
        const int dg = qGreen(colour) - qGreen(kPalette[i]);
        const int db = qBlue(colour) - qBlue(kPalette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void WriteInfoHeader(QDataStream& out, const QImage& image, int heightField, quint32 imageBytes) {
    out << quint32(40) << qint32(image.width()) << qint32(heightField) << quint16(1) << quint16(4)
        << quint32(0) << imageBytes << qint32(3780) << qint32(3780) << quint32(16) << quint32(0);
    for (QRgb colour : kPalette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
}

int RowBytes4(int width) {
    return (width * 4 + 31) / 32 * 4;
}

// Rows bottom-up, two pixels a byte, high nibble first, each row padded to 4 bytes.
void WritePixels4(QDataStream& out, const QImage& image) {
    const int rowBytes = RowBytes4(image.width());
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const int index = NearestPaletteIndex(image.pixel(x, y));
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out.writeRawData(row.constData(), rowBytes);
    }
}

bool Save4BitBmp(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 imageBytes = quint32(RowBytes4(image.width()) * image.height());
    const quint32 offset = 14 + 40 + 16 * 4;
    out << quint8('B') << quint8('M') << quint32(offset + imageBytes) << quint16(0) << quint16(0)
        << offset;
    WriteInfoHeader(out, image, image.height(), imageBytes);
    WritePixels4(out, image);
    return out.status() == QDataStream::Ok;
}

// An icon file with one 16-colour image; the AND mask is all zero, so every pixel is opaque.
bool Save4BitIcon(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 xorBytes = quint32(RowBytes4(image.width()) * image.height());
    const int maskRowBytes = (image.width() + 31) / 32 * 4;
    const quint32 andBytes = quint32(maskRowBytes * image.height());
    const quint32 resourceBytes = 40 + 16 * 4 + xorBytes + andBytes;
    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(image.width()) << quint8(image.height()) << quint8(16) << quint8(0) << quint16(1)
        << quint16(4) << resourceBytes << quint32(6 + 16);
    WriteInfoHeader(out, image, image.height() * 2, xorBytes + andBytes);
    WritePixels4(out, image);
    const QByteArray mask(int(andBytes), '\0');
    out.writeRawData(mask.constData(), mask.size());
    return out.status() == QDataStream::Ok;
}

// A cog wheel: trapezoid teeth around a rim, a hub hole and lightening holes between them.
QPainterPath CogwheelPath(QPointF centre, double outer, double root, int teeth, double hole,
                          int lighteningHoles) {
    const double step = 2 * M_PI / teeth;
    QPolygonF outline;
    auto at = [&](double radius, double angle) {
        return centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
    };
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step;
        outline << at(root, a - 0.30 * step) << at(outer, a - 0.18 * step)
                << at(outer, a + 0.18 * step) << at(root, a + 0.30 * step);
        for (int k = 1; k < 4; ++k) outline << at(root, a + (0.30 + 0.10 * k) * step);
    }
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(outline);
    path.closeSubpath();
    path.addEllipse(centre, hole, hole);
    const double ring = (hole + root) / 2;
    const double ringHole = (root - hole) * 0.28;
    for (int i = 0; i < lighteningHoles; ++i) {
        const double a = M_PI / 2 + i * 2 * M_PI / lighteningHoles;
        path.addEllipse(at(ring, a), ringHole, ringHole);
    }
    return path;
}

QImage DrawCogwheel(bool antialiased) {
    QImage image(216, 217, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.fillPath(CogwheelPath({108, 108.5}, 102, 84, 14, 18, 6), kYellow);
    return image;
}

QImage DrawBanner() {
    QImage image(992, 280, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter painter(&image);
    // Half a cog wheel standing on the bottom edge.
    painter.setClipRect(0, 0, 992, 262);
    painter.fillPath(CogwheelPath({168, 262}, 150, 122, 20, 34, 6), kYellow);
    painter.setClipping(false);
    painter.fillRect(18, 262, 300, 6, kYellow);

    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(120);
    const QString name = "ООО ТАЛЬМЕРОН";
    while (QFontMetrics(font).horizontalAdvance(name) > 630)
        font.setPixelSize(font.pixelSize() - 2);
    painter.setFont(font);
    painter.setPen(kYellow);
    painter.drawText(QRect(340, 0, 640, 280), Qt::AlignCenter, name);
    return image;
}

QImage DrawErrorSign() {
    QImage image(84, 66, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(40, 28);
    painter.setPen(QPen(QColor(128, 0, 0), 2));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(centre, 25, 25);
    painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::FlatCap));
    const double arm = 11;
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    return image;
}

QImage DrawIcon() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter painter(&image);
    painter.fillPath(CogwheelPath({16, 16}, 15.5, 11.5, 8, 4, 0), kYellow);
    return image;
}

// The desktop's icon: the windows' icon drawing, on a 256-unit square, as a scalable path and as
// antialiased pictures for the sizes desktops look up first.
constexpr int kDesktopIconUnits = 256;
constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QPainterPath DesktopIconCogwheel() {
    return CogwheelPath({128, 128}, 124, 92, 8, 32, 0);
}

QString SvgPathData(const QPainterPath& path) {
    QString data;
    const auto number = [](double v) { return QString::number(v, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (!data.isEmpty()) data += "Z ";
            data += "M" + number(e.x) + "," + number(e.y) + " ";
        } else if (e.isLineTo()) {
            data += "L" + number(e.x) + "," + number(e.y) + " ";
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += "C" + number(e.x) + "," + number(e.y) + " " + number(c2.x) + "," +
                    number(c2.y) + " " + number(end.x) + "," + number(end.y) + " ";
            i += 2;
        }
    }
    return data + "Z";
}

bool WriteDesktopIcons(const QDir& dir, const QString& name, const QColor& background) {
    const QPainterPath cogwheel = DesktopIconCogwheel();
    QFile svg(dir.filePath(name + ".svg"));
    if (!svg.open(QIODevice::WriteOnly)) return false;
    const QString units = QString::number(kDesktopIconUnits);
    svg.write(QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                      "viewBox=\"0 0 %1 %1\">\n"
                      "  <rect width=\"%1\" height=\"%1\" fill=\"%2\"/>\n"
                      "  <path fill=\"%3\" fill-rule=\"evenodd\" d=\"%4\"/>\n"
                      "</svg>\n")
                  .arg(units, background.name(), kYellow.name(), SvgPathData(cogwheel))
                  .toUtf8());
    if (!svg.flush()) return false;
    for (int size : kDesktopIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(background);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(double(size) / kDesktopIconUnits, double(size) / kDesktopIconUnits);
        painter.fillPath(cogwheel, kYellow);
        painter.end();
        if (!image.save(dir.filePath(QString("%1_%2.png").arg(name).arg(size)), "PNG"))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QImageWriter jpeg(dir.filePath("cogwheel.jpg"), "jpg");
    jpeg.setQuality(92);
    const bool ok = Save4BitBmp(DrawBanner(), dir.filePath("banner.bmp")) &&
                    Save4BitBmp(DrawCogwheel(false), dir.filePath("cogwheel.bmp")) &&
                    jpeg.write(DrawCogwheel(true)) &&
                    DrawErrorSign().save(dir.filePath("error_sign.bmp"), "BMP") &&
                    Save4BitIcon(DrawIcon(), dir.filePath("icon.ico")) &&
                    WriteDesktopIcons(dir, "icon", kBlue) &&
                    WriteDesktopIcons(dir, "job_icon", kGreen);
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
