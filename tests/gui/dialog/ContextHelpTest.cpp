#include "support/GuiFixture.h"

#include "core/text/HelpFiles.h"
#include "gui/resources/HelpIds.h"
#include "gui/resources/Tooltips.h"
#include "gui/shell/Help.h"
#include "gui/shell/HelpWindow.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>

#include <set>

namespace korvanta {
namespace {

using test::GuiTest;

class ContextHelp : public GuiTest {
protected:
    void SetUp() override
    {
        SetHelpFolder(KORVANTA_HELP_DIR);
        GuiTest::SetUp();
        dialog->m_openUrl = [this](const QUrl& url) {
            opened << url;
            return true;
        };
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        GuiTest::TearDown();
        SetHelpFolder({});
    }

    void RightClick(QWidget* widget)
    {
        QContextMenuEvent click(QContextMenuEvent::Mouse, {2, 2}, widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &click);
    }

    // The topic of the help popup now open, or 0.
    int PopupTopic()
    {
        QWidget* popup = QApplication::activePopupWidget();
        return popup && popup->objectName() == "helpPopup" ? popup->property("topic").toInt() : 0;
    }

    // Right-clicks `widget` and returns the texts of the menu that opened (closed again).
    QStringList MenuFromRightClick(QWidget* widget)
    {
        QStringList texts;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                texts << menu->title();
                for (QAction* action : menu->actions())
                    texts << action->text() + " " + action->data().toString();
                menu->close();
            }
        });
        RightClick(widget);
        return texts;
    }

    QList<QUrl> opened;
};

TEST_F(ContextHelp, ControlsShowTheirOwnTooltipsAndNothingElseDoes)
{
    EXPECT_EQ(dialog->Control(kIdExit)->toolTip(), "Return without action");
    int withTips = 0;
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        const QVariant id = widget->property("controlId");
        const char* expected = id.isValid() ? TooltipOf(id.toInt()) : nullptr;
        EXPECT_EQ(widget->toolTip(), QString(expected ? expected : "")) << widget->objectName().toStdString();
        withTips += expected != nullptr;
    }
    EXPECT_EQ(withTips, 19);
    EXPECT_EQ(dialog->Control(kIdHelp)->toolTip(), "");
    EXPECT_EQ(dialog->Control(kIdCRe)->toolTip(), "Constant Real part");
}

TEST_F(ContextHelp, TheHelpTableEndsWithZerosAndTheFirstRowCounts)
{
    EXPECT_EQ(kHelpIds.back().control, 0u);
    EXPECT_EQ(kHelpIds.back().topic, 0u);
    EXPECT_EQ(HelpTopicOf(kIdXStart), 1000u);
    EXPECT_EQ(HelpTopicOf(kIdYStart), 1002u);
    EXPECT_EQ(HelpTopicOf(kIdHelp), 0u);
    EXPECT_EQ(HelpTopicOf(0), 0u);
    std::set<std::uint32_t> topics;
    for (const HelpId& id : kHelpIds)
        if (id.control)
            topics.insert(id.topic);
    EXPECT_EQ(topics.size(), 20u);
    EXPECT_EQ(*topics.begin(), 1000u);
    EXPECT_EQ(*topics.rbegin(), 1019u);
}

TEST_F(ContextHelp, RightClickShowsAControlsTopicAndElsewhereTheMacroMenu)
{
    RightClick(Edit(kIdXStart));
    ASSERT_EQ(PopupTopic(), 1000);
    EXPECT_EQ(LastHelpWindow().data(), QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);  // any key closes it
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    RightClick(Edit(kIdYStart));
    ASSERT_EQ(PopupTopic(), 1002);
    QApplication::activePopupWidget()->close();

    const QStringList macro{"Macro", "&Start Record 32782", "Stop Record 32783", "Start Playback 32784"};
    EXPECT_EQ(MenuFromRightClick(dialog->Control(kIdHelp)), macro);
    EXPECT_EQ(MenuFromRightClick(dialog->findChild<QLabel*>()), macro);
    EXPECT_EQ(MenuFromRightClick(dialog->findChild<QGroupBox*>()), macro);
    EXPECT_EQ(MenuFromRightClick(dialog->Control(kIdXStart)->parentWidget()), macro);  // background
}

TEST_F(ContextHelp, F1ShowsTheFocusedControlsTopicOrNothing)
{
    QTest::keyClick(Edit(kIdCIm), Qt::Key_F1);
    ASSERT_EQ(PopupTopic(), 1005);
    QApplication::activePopupWidget()->close();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(dialog->Control(kIdHelp), &f1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no topic, and no macro menu either
}

TEST_F(ContextHelp, EveryControlOfTheTableHasATopicWithText)
{
    QFile popups(QString(KORVANTA_HELP_DIR) + "/popups.txt");
    ASSERT_TRUE(popups.open(QIODevice::ReadOnly));
    const auto topics = ParsePopupTopics(popups.readAll().toStdString());
    for (int topic = 1000; topic <= 1019; ++topic)
        EXPECT_TRUE(topics.count(topic) && !topics.at(topic).empty()) << topic;
    for (const HelpId& id : kHelpIds) {
        QWidget* control = dialog->Control(static_cast<int>(id.control));
        if (!control)
            continue;  // the end of the table, and the About command, which is no control
        EXPECT_TRUE(dialog->OnContextHelp(control, {}, false)) << id.control;
        EXPECT_EQ(PopupTopic(), static_cast<int>(id.topic)) << id.control;
        auto* popup = qobject_cast<QLabel*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->text().toStdString(), topics.at(static_cast<int>(id.topic)));
        popup->close();
    }
}

TEST_F(ContextHelp, TheGuideOpensAtItsFirstPageOnceAndIsRaisedAgain)
{
    QTest::mouseClick(dialog->Control(kIdHelp), Qt::LeftButton);
    auto* guide = qobject_cast<CHelpWindow*>(LastHelpWindow().data());
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->windowTitle(), "Korvanta Help");
    EXPECT_TRUE(guide->isVisible());
    QFile contents(QString(KORVANTA_HELP_DIR) + "/contents.txt");
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const auto pages = ParseHelpContents(contents.readAll().toStdString());
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(QFileInfo(guide->Browser()->source().toLocalFile()).fileName().toStdString(), pages.front().first);
    EXPECT_EQ(guide->Contents()->count(), static_cast<int>(pages.size()));
    EXPECT_EQ(guide->Contents()->currentRow(), 0);

    guide->ShowPage(QString::fromStdString(pages.back().first));
    dialog->OnHelp();  // the Help menu: the same window, raised, where it was
    EXPECT_EQ(LastHelpWindow().data(), guide);
    EXPECT_EQ(QFileInfo(guide->Browser()->source().toLocalFile()).fileName().toStdString(), pages.back().first);

    // Links: another page stays inside, a web address goes out, a training card to the dialog.
    QSignalSpy cards(dialog.get(), &CFractalDlg::trainingCardRequested);
    emit guide->Browser()->anchorClicked(QUrl("https://www.qt.io/"));
    emit guide->Browser()->anchorClicked(QUrl("korvanta-card:2"));
    EXPECT_EQ(opened, QList<QUrl>{QUrl("https://www.qt.io/")});
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards.front().front().toInt(), 2);
    EXPECT_EQ(QFileInfo(guide->Browser()->source().toLocalFile()).fileName().toStdString(), pages.back().first);
    emit guide->Browser()->anchorClicked(QUrl("../../../../etc/passwd"));
    EXPECT_EQ(opened.size(), 2) << "a file outside the guide goes to the desktop, not the help window";
}

TEST_F(ContextHelp, WithoutTheGuideNothingIsShownAndNothingIsRemembered)
{
    QTest::mouseClick(dialog->Control(kIdHelp), Qt::LeftButton);
    ASSERT_FALSE(LastHelpWindow().isNull());
    CloseHelpWindow();
    SetHelpFolder("/nonexistent-korvanta-help");
    dialog->OnHelp();
    EXPECT_TRUE(LastHelpWindow().isNull());
    RightClick(Edit(kIdXStart));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(LastHelpWindow().isNull());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ContextHelp, EveryLinkOfEveryPageLeadsSomewhere)
{
    const QDir folder(KORVANTA_HELP_DIR);
    QFile contents(folder.filePath("contents.txt"));
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const auto pages = ParseHelpContents(contents.readAll().toStdString());
    ASSERT_GE(pages.size(), 8u);
    auto read = [&](const QString& file) {
        QFile page(folder.filePath(file));
        return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
    };
    const QRegularExpression reference(R"re((href|src)\s*=\s*"([^"]*)")re");
    std::set<int> cards;
    std::set<QString> pagesWithCards;
    int links = 0;
    for (const auto& [file, title] : pages) {
        const QString name = QString::fromStdString(file);
        const QString html = read(name);
        ASSERT_FALSE(html.isEmpty()) << file;
        EXPECT_TRUE(html.contains("<h1")) << file;
        for (auto match = reference.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(2);
            ++links;
            const QUrl url(target);
            if (url.scheme() == "korvanta-card") {
                cards.insert(url.path().toInt());
                pagesWithCards.insert(name);
                continue;
            }
            if (url.scheme() == "https" || url.scheme() == "http" || url.scheme() == "mailto")
                continue;
            ASSERT_TRUE(url.isRelative()) << file << ": " << target.toStdString();
            const QString path = url.path().isEmpty() ? name : url.path();
            ASSERT_TRUE(QFileInfo(folder.filePath(path)).isFile()) << file << ": " << target.toStdString();
            if (url.hasFragment()) {
                const QString anchor = QRegularExpression::escape(url.fragment());
                EXPECT_TRUE(read(path).contains(QRegularExpression("(name|id)\\s*=\\s*\"" + anchor + "\"")))
                    << file << ": " << target.toStdString();
            }
        }
    }
    EXPECT_GT(links, 50);
    EXPECT_EQ(cards, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(pagesWithCards.size(), 3u);
}

}  // namespace
}  // namespace korvanta
