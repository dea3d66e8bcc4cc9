// Compares what the X server shows in a window's client area with a picture file, pixel by
// pixel: the screen as the user sees it, not the widget's own idea of its image.
// Usage: korvanta-screen-matches WINDOW-ID PICTURE [SHOT.png]
// Exits 0 when the client area has the picture's size and every pixel's colour; otherwise
// says how they differ (and writes what the screen showed to SHOT.png when given).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

namespace {

struct Difference {
    int pixels = 0;
    int firstRow = -1;     // from the top
    int blackTopRows = 0;  // rows at the top where the screen is black and the picture is not
};

bool RowBlack(const QImage& image, int y)
{
    for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != 0)
            return false;
    return true;
}

Difference Compare(const QImage& screen, const QImage& picture)
{
    Difference d;
    bool stillBlack = true;
    for (int y = 0; y < picture.height(); ++y) {
        int differing = 0;
        for (int x = 0; x < picture.width(); ++x)
            differing += (screen.pixel(x, y) & 0xFFFFFF) != (picture.pixel(x, y) & 0xFFFFFF);
        if (differing && d.firstRow < 0)
            d.firstRow = y;
        stillBlack = stillBlack && differing && RowBlack(screen, y);
        d.blackTopRows += stillBlack;
        d.pixels += differing;
    }
    return d;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WINDOW-ID PICTURE [SHOT.png]\n", argv[0]);
        return 2;
    }
    bool ok = false;
    const WId window = QString(argv[1]).toULongLong(&ok, 0);
    const QImage picture(QString::fromLocal8Bit(argv[2]));
    if (!ok || picture.isNull()) {
        std::fprintf(stderr, "no window id '%s' or no picture '%s'\n", argv[1], argv[2]);
        return 2;
    }
    const QImage screen = app.primaryScreen()->grabWindow(window).toImage().convertToFormat(QImage::Format_RGB32);
    if (argc > 3)
        screen.save(QString::fromLocal8Bit(argv[3]));
    if (screen.size() != picture.size()) {
        std::printf("the window shows %dx%d, the picture is %dx%d\n", screen.width(), screen.height(),
                    picture.width(), picture.height());
        return 1;
    }
    const Difference d = Compare(screen, picture.convertToFormat(QImage::Format_RGB32));
    if (d.pixels == 0) {
        std::printf("%dx%d: every pixel as in the picture\n", picture.width(), picture.height());
        return 0;
    }
    std::printf("%dx%d: %d pixels differ, the first in row %d from the top; %d black rows at the top\n",
                picture.width(), picture.height(), d.pixels, d.firstRow, d.blackTopRows);
    return 1;
}
