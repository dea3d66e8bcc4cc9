#include "gui/shell/FractalAboutDlg.h"

#include "core/scenes/IconPictures.h"
#include "gui/dialog/DialogUnits.h"
#include "gui/render/PictureImage.h"
#include "gui/shell/FractalLink.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace korvanta {

namespace {

constexpr int kIdOk = 1;
constexpr int kIdContact = 1064;
constexpr int kIdHomePage = 1057;

void Place(QWidget* widget, int x, int y, int width, int height)
{
    widget->setGeometry(FromDialogUnits(x, y, width, height));
}

}  // namespace

CFractalAboutDlg::CFractalAboutDlg(QWidget* parent, UrlOpener opener)
    : QDialog(parent), m_open(std::move(opener))
{
    if (!m_open)
        m_open = DesktopUrlOpener();
    setWindowTitle("About Korvanta");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);
    setFixedSize(FromDialogUnits(0, 0, 317, 113).size());
    CreatePictureAndTexts();

    m_contact = new CFractalLink(kContact, this);
    m_contact->setObjectName(QString::number(kIdContact));
    Place(m_contact, 204, 49, 106, 8);
    m_homePage = new CFractalLink(kHomePage, this);
    m_homePage->setObjectName(QString::number(kIdHomePage));
    Place(m_homePage, 116, 68, 90, 9);
    // A browser or mail program that cannot be started is not worth a message.
    connect(m_homePage, &CFractalLink::clicked, this, [this] { m_open(QUrl(kHomePage)); });
    connect(m_contact, &CFractalLink::clicked, this,
            [this] { m_open(QUrl(QString("mailto:") + kContact)); });

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName(QString::number(kIdOk));
    ok->setDefault(true);
    Place(ok, 260, 7, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CFractalAboutDlg::CreatePictureAndTexts()
{
    const QRect frame = FromDialogUnits(7, 7, 76, 98);
    auto* picture = new QLabel(this);
    picture->setObjectName("picture");
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setGeometry(frame);
    const int border = picture->frameWidth();
    const QSize inside = frame.size() - QSize(2 * border, 2 * border);
    picture->setPixmap(QPixmap::fromImage(PictureImage(
        RenderIconPicture(IconPicture::Program, inside.width(), inside.height()),
        QRect(QPoint(0, 0), inside))));

    auto* version = new QLabel(QString("Korvanta Version ") + KORVANTA_VERSION, this);
    version->setObjectName("version");
    version->setTextFormat(Qt::PlainText);
    Place(version, 116, 30, 119, 8);
    auto* authors = new QLabel("By the Korvanta team,", this);
    authors->setObjectName("authorship");
    Place(authors, 116, 49, 95, 8);
    auto* credit = new QLabel(
        "Uses zlib (https://zlib.net), libpng (http://www.libpng.org)\n"
        "and Qt (https://www.qt.io) under the GNU LGPL.",
        this);
    credit->setObjectName("credit");
    credit->setTextFormat(Qt::PlainText);
    Place(credit, 116, 84, 194, 22);
}

}  // namespace korvanta
