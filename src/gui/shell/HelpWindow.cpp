#include "gui/shell/HelpWindow.h"

#include "core/text/HelpFiles.h"
#include "gui/resources/Icons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvanta {

namespace {

constexpr const char* kContentsFile = "contents.txt";

std::vector<std::pair<std::string, std::string>> ReadContents(const QString& folder)
{
    QFile file(QDir(folder).filePath(kContentsFile));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseHelpContents(file.readAll().toStdString());
}

}  // namespace

CHelpWindow* CHelpWindow::Open(const QString& folder, UrlOpener opener)
{
    const auto pages = ReadContents(folder);
    if (pages.empty() || !QFileInfo(QDir(folder).filePath(QString::fromStdString(pages.front().first))).isFile())
        return nullptr;
    auto* window = new CHelpWindow(folder, std::move(opener));
    window->ShowPage(QString::fromStdString(pages.front().first));
    return window;
}

CHelpWindow::CHelpWindow(const QString& folder, UrlOpener opener)
    : m_folder(QDir(folder).canonicalPath()), m_open(std::move(opener))
{
    setWindowTitle("Korvanta Help");
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 640);

    m_back = new QToolButton(this);
    m_back->setText("Back");
    m_forward = new QToolButton(this);
    m_forward->setText("Forward");
    m_contents = new QListWidget(this);
    for (const auto& [file, title] : ReadContents(m_folder)) {
        auto* item = new QListWidgetItem(QString::fromStdString(title), m_contents);
        item->setData(Qt::UserRole, QString::fromStdString(file));
    }
    m_browser = new QTextBrowser(this);
    // Every link passes FollowLink: nothing is opened or run behind the user's back.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({m_folder});

    m_findBar = new QWidget(this);
    m_find = new QLineEdit(m_findBar);
    m_find->setPlaceholderText("Find in this page");
    m_find->setMaximumWidth(360);
    auto* previous = new QToolButton(m_findBar);
    previous->setText("Previous");
    auto* next = new QToolButton(m_findBar);
    next->setText("Next");
    m_notFound = new QLabel("Not found", m_findBar);
    m_notFound->hide();
    auto* close = new QToolButton(m_findBar);
    close->setText("Close");
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip("Close the find bar (Esc)");
    auto* findRow = new QHBoxLayout(m_findBar);
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(new QLabel("Find:", m_findBar));
    findRow->addWidget(m_find, 1);
    findRow->addWidget(previous);
    findRow->addWidget(next);
    findRow->addWidget(m_notFound);
    findRow->addStretch(1);
    findRow->addWidget(close);
    // One row: a horizontal splitter grows vertically no more than its neighbours, so the
    // bar must refuse the height or it takes its share of it.
    m_findBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_findBar->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({200, 700});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_findBar);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::FollowLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::SyncContents);
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { ShowNotFound(false); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, &CHelpWindow::ShowFindBar);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar), &QShortcut::activated, this,
            &CHelpWindow::HideFindBar);
    connect(close, &QToolButton::clicked, this, &CHelpWindow::HideFindBar);
    connect(m_find, &QLineEdit::textChanged, this, [this] { ShowNotFound(false); });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { FindNext(false); });
    connect(next, &QToolButton::clicked, this, [this] { FindNext(false); });
    connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    // The page takes the keys first: arrows scroll it, Tab walks its links.
    m_browser->setFocus();
}

bool CHelpWindow::ShowPage(const QString& file)
{
    const QUrl url = QUrl::fromLocalFile(QDir(m_folder).filePath(file));
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    if (path.isEmpty() || !path.startsWith(m_folder + '/'))
        return false;
    QUrl target = QUrl::fromLocalFile(path);
    target.setFragment(QUrl(file).fragment());
    m_browser->setSource(target);
    SyncContents();
    return true;
}

void CHelpWindow::FollowLink(const QUrl& url)
{
    if (url.scheme() == kCardScheme) {
        bool number = false;
        const int action = url.path().toInt(&number);
        if (number)
            emit trainingCard(action);
        return;
    }
    const QUrl resolved = m_browser->source().resolved(url);
    if (resolved.isLocalFile()) {
        const QString path = QFileInfo(resolved.toLocalFile()).canonicalFilePath();
        if (!path.isEmpty() && path.startsWith(m_folder + '/')) {
            QString relative = QDir(m_folder).relativeFilePath(path);
            if (resolved.hasFragment())
                relative += '#' + resolved.fragment();
            ShowPage(relative);
            return;
        }
    }
    // Anything else is the desktop's business; a failure is not worth a message.
    m_open(resolved);
}

void CHelpWindow::ShowFindBar()
{
    m_findBar->show();
    m_find->setFocus();
    m_find->selectAll();
}

void CHelpWindow::HideFindBar()
{
    m_findBar->hide();
    ShowNotFound(false);
    m_browser->setFocus();
}

void CHelpWindow::FindNext(bool backwards)
{
    const QString text = m_find->text();
    if (text.isEmpty())
        return;
    const auto flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_browser->find(text, flags);
    if (!found) {
        // Wrap around once; without a match anywhere the page stays where it was.
        const QTextCursor before = m_browser->textCursor();
        QTextCursor cursor = before;
        cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        found = m_browser->find(text, flags);
        if (!found)
            m_browser->setTextCursor(before);
    }
    ShowNotFound(!found);
}

void CHelpWindow::ShowNotFound(bool notFound)
{
    m_notFound->setVisible(notFound);
    m_find->setPalette(QPalette());  // back to the inherited colours
    if (!notFound)
        return;
    // Tinted towards red from the usual colour, so it reads on light and dark themes alike.
    QPalette palette = m_find->palette();
    const QColor base = palette.color(QPalette::Base);
    palette.setColor(QPalette::Base, QColor(base.red() + (255 - base.red()) * 2 / 5, base.green() * 7 / 10,
                                            base.blue() * 7 / 10));
    m_find->setPalette(palette);
}

void CHelpWindow::SyncContents()
{
    const QString file = QFileInfo(m_browser->source().toLocalFile()).fileName();
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toString() == file) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentRow(i);
        }
    }
}

}  // namespace korvanta
