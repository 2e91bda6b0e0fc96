// vornela-icon-render SVG OUTDIR NAME SIZE...: writes OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for each
// size, the layout of a hicolor icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: vornela-icon-render SVG OUTDIR NAME SIZE...\n");
        return 2;
    }
    // A build machine may have no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "vornela-icon-render: not a size: %s\n", argv[i]);
            return 2;
        }
        // Drawn at each size rather than scaled from one bitmap: small sizes stay sharp.
        QImageReader reader(svg);
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (image.isNull()) {
            std::fprintf(stderr, "vornela-icon-render: cannot draw %s: %s\n", argv[1],
                         qPrintable(reader.errorString()));
            return 1;
        }
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!out.mkpath(dir) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "vornela-icon-render: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
