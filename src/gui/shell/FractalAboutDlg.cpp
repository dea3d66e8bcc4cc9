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

// The link's own width, so that it is never cut and only its text is clickable.
void FitToText(CFractalLink* link)
{
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->resize(QFontMetrics(underlined).horizontalAdvance(link->text()) + 1, link->height());
}

}  // namespace

const char* const CFractalAboutDlg::kHomePage = KORVANTA_HOMEPAGE;
const char* const CFractalAboutDlg::kContact = KORVANTA_CONTACT;

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

    // The address goes on the authorship line, a space after its text.
    const QLabel* authors = findChild<QLabel*>("authorship");
    const QFontMetrics metrics(authors->font());
    m_contact = new CFractalLink(kContact, this);
    m_contact->setObjectName(QString::number(kIdContact));
    m_contact->setGeometry(authors->x() + metrics.horizontalAdvance(authors->text() + ' '),
                           authors->y(), 0, authors->height());
    FitToText(m_contact);
    m_homePage = new CFractalLink(kHomePage, this);
    m_homePage->setObjectName(QString::number(kIdHomePage));
    Place(m_homePage, 116, 68, 90, 9);
    FitToText(m_homePage);
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
    // Each library under its own license: only Qt's is the LGPL.
    auto* credit = new QLabel("Uses Qt (https://www.qt.io) under the GNU LGPL,\n"
                              "libpng (http://www.libpng.org) under the libpng license,\n"
                              "zlib (https://zlib.net) under the zlib license.",
                              this);
    credit->setObjectName("credit");
    credit->setTextFormat(Qt::PlainText);
    credit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(credit, 116, 80, 194, 27);
}

}  // namespace korvanta
