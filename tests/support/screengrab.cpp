// screengrab FILE.png [X Y WIDTH HEIGHT]: saves the X display's screen (or a
// part of it) as a picture. The desktop tests run it on their own display.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 6)
        return 2;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    const QPixmap shot = arguments.size() == 6
                             ? screen->grabWindow(0, arguments.at(2).toInt(), arguments.at(3).toInt(),
                                                  arguments.at(4).toInt(), arguments.at(5).toInt())
                             : screen->grabWindow(0);
    return shot.save(arguments.at(1)) ? 0 : 1;
}
