#pragma once

#include "gui/shell/UrlOpener.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

namespace korvanta {

// The user guide: its contents on the left, a page on the right, Back and Forward, and a
// find bar (Ctrl+F). Links between pages stay inside; training-card links are handed on;
// any other link goes to the desktop's browser or mail program.
class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCardScheme = "korvanta-card";

    // Null when the folder holds no contents or the first page is missing.
    static CHelpWindow* Open(const QString& folder, UrlOpener opener);

    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* Contents() const { return m_contents; }
    QLineEdit* FindField() const { return m_find; }
    QWidget* FindBar() const { return m_findBar; }
    // Shows "Not found" after a search without a match, until the text changes.
    QLabel* NotFoundLabel() const { return m_notFound; }
    // Shows a page of the guide by file name; false for one outside the guide.
    bool ShowPage(const QString& file);

signals:
    void trainingCard(int action);

private:
    CHelpWindow(const QString& folder, UrlOpener opener);
    void FollowLink(const QUrl& url);
    void ShowFindBar();
    void HideFindBar();
    void FindNext(bool backwards);
    void ShowNotFound(bool notFound);
    void SyncContents();

    QString m_folder;
    UrlOpener m_open;
    QListWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_find = nullptr;
    QLabel* m_notFound = nullptr;
};

}  // namespace korvanta
