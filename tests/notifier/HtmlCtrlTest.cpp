#include "notifier/HtmlCtrl.h"

#include "notifier/NotifierDialog.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QUrl kKorvexPage(QStringLiteral("qrc:/notifier-tests/korvex.html"));
const QUrl kLinksPage(QStringLiteral("qrc:/notifier-tests/links.html"));

// Stands in for the popup: records the notices it gets.
class NotifyWindow : public QWidget {
public:
    std::vector<int> notices;
    int Count(int type) const { return int(std::count(notices.begin(), notices.end(), type)); }

protected:
    bool event(QEvent* event) override {
        if (event->type() >= QEvent::User) {
            notices.push_back(event->type());
            return true;
        }
        return QWidget::event(event);
    }
};

class RecordingHtmlCtrl : public CHtmlCtrl {
public:
    void OnAppLink(const QString& command) override {
        appLinks.push_back(command);
        CHtmlCtrl::OnAppLink(command);
    }
    std::vector<QString> appLinks;
};

class HtmlCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(320, 240);
        view = new RecordingHtmlCtrl();
        view->DriveTimersByHand();
        view->Create(QRect(10, 20, 300, 200), &window, 9999, 0x50000000);
    }
    void Deliver() { QCoreApplication::sendPostedEvents(&window); }

    NotifyWindow window;
    RecordingHtmlCtrl* view = nullptr;
};

TEST_F(HtmlCtrlTest, CreateMakesAVisibleChildAndRemembersTheNotifyWindow) {
    EXPECT_EQ(view->NotifyWindow(), &window);
    EXPECT_EQ(view->parentWidget(), &window);
    EXPECT_EQ(view->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(view->Id(), 9999);
    EXPECT_FALSE(view->isHidden());
    RecordingHtmlCtrl hidden;
    hidden.Create(QRect(0, 0, 10, 10), &window, 1, 0x40000000);
    EXPECT_TRUE(hidden.isHidden()) << "without WS_VISIBLE";
}

TEST_F(HtmlCtrlTest, TheBundledPageSaysWhatTipinDoesInThreeSteps) {
    view->Navigate(CNotifierDialog::PageAddress());
    EXPECT_EQ(view->source(), CNotifierDialog::PageAddress());
    EXPECT_EQ(view->documentTitle(), "Welcome to Tipin");
    const QString text = view->toPlainText();
    EXPECT_TRUE(text.contains("multi-page TIFF")) << text.toStdString();
    EXPECT_TRUE(text.contains("how many pages")) << text.toStdString();
    int items = 0;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        items += block.textList() != nullptr ? 1 : 0;
    }
    EXPECT_EQ(items, 3) << "three steps";
}

TEST_F(HtmlCtrlTest, TheBundledPageFitsThePopupOfTheBundledSkins) {
    window.show();
    view->setGeometry(CNotifierDialog::PageRect(QSize(320, 240)));
    view->Navigate(CNotifierDialog::PageAddress());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_LE(view->document()->size().height(), view->viewport()->height());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
}

TEST_F(HtmlCtrlTest, APageWithAnotherTitleStartsBothTimersAndEachFiresOnce) {
    view->Navigate(CNotifierDialog::PageAddress());
    EXPECT_TRUE(view->TimerRunning(CHtmlCtrl::kTitleTimer));
    EXPECT_EQ(view->TimerPeriod(CHtmlCtrl::kTitleTimer), 1000U);
    EXPECT_TRUE(view->TimerRunning(CHtmlCtrl::kPageTimer));
    EXPECT_EQ(view->TimerPeriod(CHtmlCtrl::kPageTimer), 30000U);

    EXPECT_TRUE(view->FireTimer(CHtmlCtrl::kTitleTimer));
    EXPECT_FALSE(view->FireTimer(CHtmlCtrl::kTitleTimer)) << "stopped by its own tick";
    EXPECT_TRUE(view->FireTimer(CHtmlCtrl::kPageTimer));
    EXPECT_FALSE(view->FireTimer(CHtmlCtrl::kPageTimer));
    Deliver();
    EXPECT_EQ(window.notices,
              (std::vector<int>{CHtmlCtrl::kTitleTimerEvent, CHtmlCtrl::kPageTimerEvent}));
    EXPECT_EQ(CHtmlCtrl::kTitleTimerEvent, QEvent::User + 100);
    EXPECT_EQ(CHtmlCtrl::kPageTimerEvent, QEvent::User + 101);
}

TEST_F(HtmlCtrlTest, ThePageTitledKorvexStartsOnlyTheLongTimer) {
    view->Navigate(kKorvexPage);
    EXPECT_EQ(view->documentTitle(), "KORVEX");
    EXPECT_FALSE(view->TimerRunning(CHtmlCtrl::kTitleTimer));
    EXPECT_TRUE(view->TimerRunning(CHtmlCtrl::kPageTimer));
}

TEST_F(HtmlCtrlTest, TheRealTitleTimerRunsOutOnce) {
    RecordingHtmlCtrl live;
    live.Create(QRect(0, 0, 100, 100), &window, 1, 0x50000000);
    live.Navigate(CNotifierDialog::PageAddress());
    ASSERT_TRUE(live.TimerRunning(CHtmlCtrl::kTitleTimer));
    // The one check of the real timer behind the seam: the title timer runs out after a
    // second, and its own tick stops it.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.Count(CHtmlCtrl::kTitleTimerEvent) > 0; }, 5000));
    EXPECT_FALSE(live.TimerRunning(CHtmlCtrl::kTitleTimer));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.Count(CHtmlCtrl::kTitleTimerEvent), 1);
    EXPECT_TRUE(live.TimerRunning(CHtmlCtrl::kPageTimer)) << "30 s are not over";
}

TEST_F(HtmlCtrlTest, AppAddressesGoToTheAppLinkAndNothingIsFollowed) {
    view->Navigate(CNotifierDialog::PageAddress());
    const QUrl page = view->source();
    EXPECT_TRUE(view->OnBeforeNavigate(QUrl("app:close")));
    EXPECT_TRUE(view->OnBeforeNavigate(QUrl("APP:Open?x=1")));
    EXPECT_TRUE(view->OnBeforeNavigate(QUrl("aPp:")));
    EXPECT_TRUE(view->OnBeforeNavigate(QUrl("https://example.com/")));
    EXPECT_TRUE(view->OnBeforeNavigate(QUrl("apple:pie")));
    EXPECT_TRUE(view->OnBeforeNavigate(kKorvexPage)) << "not even the program's own pages";
    EXPECT_EQ(view->appLinks, (std::vector<QString>{"close", "Open?x=1", ""}));
    EXPECT_EQ(view->source(), page);
}

// Clicks the anchor whose text is `text` in the shown page.
void ClickAnchor(CHtmlCtrl& view, const QString& text) {
    const QTextCursor found = view.document()->find(text);
    ASSERT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor middle(view.document());
    middle.setPosition(found.selectionStart() + 2);
    const QPoint at = view.cursorRect(middle).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
}

TEST_F(HtmlCtrlTest, ClickedLinksStayInsideTheProgram) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->Navigate(kLinksPage);
    ClickAnchor(*view, "appLink");
    EXPECT_EQ(view->appLinks, std::vector<QString>{"hello"});
    ClickAnchor(*view, "webLink");
    ClickAnchor(*view, "pageLink");
    EXPECT_EQ(view->appLinks.size(), 1U);
    EXPECT_EQ(view->source(), kLinksPage) << "no link is followed";
    Deliver();
    EXPECT_EQ(window.Count(CHtmlCtrl::kPageClickedEvent), 3) << "one notice per press";
}

TEST_F(HtmlCtrlTest, APressAnywhereInTheViewTellsTheNotifyWindow) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->Navigate(CNotifierDialog::PageAddress());
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(150, 190));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(150, 190));
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    Deliver();
    EXPECT_EQ(window.Count(CHtmlCtrl::kPageClickedEvent), 2);
    EXPECT_EQ(CHtmlCtrl::kPageClickedEvent, QEvent::User + 102);
}

TEST_F(HtmlCtrlTest, OnlyTheProgramsOwnResourcesAreRead) {
    TempDir dir;
    const auto file = dir.write("outside.html", "<html><body>outside text</body></html>");
    view->Navigate(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    EXPECT_FALSE(view->toPlainText().contains("outside text"));
}

} // namespace
} // namespace tipin::test
