// Build step: draws the texts of the logo window's pictures at their usual sizes and writes them as
// coverage masks into a C++ source (the file named on the command line), which the program draws
// instead of the texts when a picture has that size.
#include "app/ArtworkText.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

using namespace tylog;

namespace {

QByteArray masksOf(const char* name, QSize px, const QList<ArtText>& texts) {
    QByteArray out;
    QByteArray table = QByteArray("extern const ArtMask ") + name + "[] = {\n";
    int n = 0;
    for (const ArtText& t : texts) {
        QImage img(px, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        ArtText white = t;
        white.color = Qt::white;
        DrawArtTexts(p, {white});
        p.end();
        int x0 = px.width(), y0 = px.height(), x1 = -1, y1 = -1;
        for (int y = 0; y < px.height(); ++y)
            for (int x = 0; x < px.width(); ++x)
                if (qAlpha(img.pixel(x, y)) != 0) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        if (x1 < 0) x0 = y0 = 0, x1 = y1 = -1; // nothing drawn
        const QByteArray array = QByteArray(name) + "Alpha" + QByteArray::number(n++);
        out += "const unsigned char " + array + "[] = {";
        int k = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                if (k++ % 24 == 0) out += "\n   ";
                out += " " + QByteArray::number(qAlpha(img.pixel(x, y))) + ",";
            }
        out += " 0};\n";
        table += QString("    {%1, %2, %3, %4, %5, %6, %7},\n")
                     .arg(px.width()).arg(px.height()).arg(x0).arg(y0).arg(x1 - x0 + 1).arg(y1 - y0 + 1)
                     .arg(QString::fromLatin1(array)).toLatin1();
    }
    return out + table + "};\nextern const int " + name + "Count = " + QByteArray::number(n) + ";\n";
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
    QByteArray source = "// Made by the build (app/ArtworkMasksTool.cpp): the texts of the logo window's pictures.\n"
                        "#include \"app/ArtworkText.h\"\n\nnamespace tylog {\n\n";
    source += masksOf("kLogoTextMasks", kLogoPictureSize, LogoTexts(kLogoPictureSize));
    source += masksOf("kRadioTextMasks", kRadioPictureSize, RadioTexts(kRadioPictureSize));
    source += "\n} // namespace tylog\n";
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(source) != source.size()) return 1;
    return 0;
}
