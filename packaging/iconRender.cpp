// iconRender PICTURE SIZE ICON.png: the program's picture as a square icon of
// one size, for the desktop's icon theme.
#include <QCoreApplication>
#include <QImage>

int main(int argc, char *argv[])
{
    // The application object lets QImage find its format plug-ins (.ico).
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    if (picture.isNull() || size <= 0)
        return 1;
    const QImage icon = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return icon.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
