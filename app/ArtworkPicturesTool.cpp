// Build step: draws the logo window's two pictures and the antenna emblem at their usual sizes and writes their pixels into
// a C++ source (the file named on the command line), which the program shows instead of drawing them.
#include "app/ArtworkDrawing.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace tylog;

namespace {

QByteArray pictureSource(const char* name, const QImage& image) {
    QByteArray out = QByteArray("extern const ArtPicture ") + name + " = {" + QByteArray::number(image.width()) + ", " +
                     QByteArray::number(image.height()) + ", " + QByteArray::number(image.bytesPerLine()) + ", " +
                     QByteArray::number(int(image.format())) + ",";
    // A string of octal escapes, three digits each, so that a printable byte after one reads alone.
    const auto* p = reinterpret_cast<const unsigned char*>(image.constBits());
    const qsizetype n = image.sizeInBytes();
    for (qsizetype i = 0; i < n; ++i) {
        if (i % 64 == 0) out += "\n    \"";
        const unsigned char c = p[i];
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
            out += char(c);
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            out += esc;
        }
        if (i % 64 == 63 || i == n - 1) out += '"';
    }
    return out + "};\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.cpp\n", argv[0]);
        return 2;
    }
    QTemporaryDir runtime; // Qt wants a private runtime folder
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QByteArray source = "// Made by the build (app/ArtworkPicturesTool.cpp): the logo window's pictures and the antenna.\n"
                        "#include \"app/ArtworkDrawing.h\"\n\nnamespace tylog {\n\n";
    source += pictureSource("kLogoPicture", DrawLogo(kLogoPictureSize));
    source += pictureSource("kRadioPicture", DrawRadio(kRadioPictureSize));
    source += pictureSource("kAntennaPicture", DrawAntenna(kAntennaPictureSize));
    source += "\n} // namespace tylog\n";
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(source) != source.size()) return 1;
    return 0;
}
