#include "gui/shell/HelpWindow.h"

#include "core/text/HelpFiles.h"

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
    auto* next = new QToolButton(m_findBar);
    next->setText("Next");
    auto* previous = new QToolButton(m_findBar);
    previous->setText("Previous");
    auto* findRow = new QHBoxLayout(m_findBar);
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(new QLabel("Find:", m_findBar));
    findRow->addWidget(m_find);
    findRow->addWidget(previous);
    findRow->addWidget(next);
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
    layout->addWidget(splitter);
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
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_findBar->show();
        m_find->setFocus();
        m_find->selectAll();
    });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar), &QShortcut::activated,
            m_findBar, &QWidget::hide);
    connect(m_find, &QLineEdit::returnPressed, this, [this] { FindNext(false); });
    connect(next, &QToolButton::clicked, this, [this] { FindNext(false); });
    connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
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

void CHelpWindow::FindNext(bool backwards)
{
    const QString text = m_find->text();
    if (text.isEmpty())
        return;
    const auto flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (!m_browser->find(text, flags)) {
        // Wrap around once.
        QTextCursor cursor = m_browser->textCursor();
        cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        m_browser->find(text, flags);
    }
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
