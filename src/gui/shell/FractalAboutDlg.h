#pragma once

#include "gui/shell/UrlOpener.h"

#include <QDialog>

namespace korvanta {

class CFractalLink;

// The program's name and version, a picture drawn by its own formulas, who wrote it, the
// libraries it uses, and links to its home page and its authors' mail.
class CFractalAboutDlg : public QDialog {
    Q_OBJECT

public:
    // Without an opener, addresses go to the desktop's browser and mail program.
    explicit CFractalAboutDlg(QWidget* parent = nullptr, UrlOpener opener = {});

    // The package's own addresses, which the build passes in.
    static const char* const kHomePage;
    static const char* const kContact;

    CFractalLink* ContactLink() const { return m_contact; }
    CFractalLink* HomePageLink() const { return m_homePage; }

private:
    void CreatePictureAndTexts();

    CFractalLink* m_contact = nullptr;
    CFractalLink* m_homePage = nullptr;
    UrlOpener m_open;
};

}  // namespace korvanta
