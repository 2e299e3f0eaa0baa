// zol-render-icon SVG FOLDER SIZE...: draws the application's icon at each
// size as FOLDER/SIZExSIZE/org.zol.Zol.png, the PNGs the hicolor theme keeps
// for panels and menus that take no SVG. Built and run by the build, so the
// pictures always follow the SVG and no drawing tool is needed.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Drawing needs no display: the build may run where there is none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        err << "usage: zol-render-icon SVG FOLDER SIZE...\n";
        return 2;
    }

    QSvgRenderer svg(arguments.at(1));
    if (!svg.isValid()) {
        err << "zol-render-icon: cannot read " << arguments.at(1) << '\n';
        return 1;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size <= 0) {
            err << "zol-render-icon: " << sizeText << " is not a size\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter, QRectF(0, 0, size, size));
        }
        const QString folder = QDir(arguments.at(2)).filePath(sizeText + u'x' + sizeText);
        const QString file = QDir(folder).filePath(QStringLiteral("org.zol.Zol.png"));
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            err << "zol-render-icon: cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
