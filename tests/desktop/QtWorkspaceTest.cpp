#include "platform/linux/qt/QtWorkspace.h"

#include "support/UrlCatcher.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using wigglet::desktop::QtWorkspace;
using wigglet::testing::UrlCatcher;

namespace {

constexpr const char* releases = "https://wigglet.example.org/releases";

std::string queryValue(const QUrl& url, const char* key) {
    return QUrlQuery(url)
        .queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded)
        .toStdString();
}

} // namespace

TEST(QtWorkspace, AddressesThatAreUrlsGoToTheDesktop) {
    struct Row {
        const char* behaviour;
        const char* text;
        bool opened;
    };
    const Row rows[] = {
        {"a web address is opened", "https://wigglet.example.org/faq", true},
        {"an address with a query keeps it", "https://example.org/a?b=c&d=e", true},
        {"text without a scheme is not a URL", "wigglet.example.org", false},
        {"text with spaces is not a URL", "not a url", false},
        {"an empty text is not a URL", "", false},
    };
    for (const Row& row : rows) {
        UrlCatcher desktop({"https", "http"});
        QtWorkspace workspace(releases);
        EXPECT_EQ(workspace.openUrl(row.text), row.opened) << row.behaviour;
        ASSERT_EQ(desktop.opened().size(), row.opened ? 1u : 0u) << row.behaviour;
        if (row.opened) {
            EXPECT_EQ(desktop.opened()[0].toString().toStdString(), row.text) << row.behaviour;
        }
    }
}

TEST(QtWorkspace, MailCarriesAddressSubjectAndBodyAsText) {
    UrlCatcher desktop({"mailto"});
    QtWorkspace workspace(releases);
    const std::string subject = "Wigglet 1.0 & more = fun + joy?";
    const std::string body = "Line one\nLine two: 100% #1";
    workspace.composeMail("support@wigglet.example.org", subject, body);
    ASSERT_EQ(desktop.opened().size(), 1u);
    const QUrl mail = desktop.opened()[0];
    EXPECT_EQ(mail.scheme(), "mailto");
    EXPECT_EQ(mail.path().toStdString(), "support@wigglet.example.org");
    EXPECT_EQ(queryValue(mail, "subject"), subject);
    EXPECT_EQ(queryValue(mail, "body"), body);
}

TEST(QtWorkspace, CheckingForUpdatesOpensTheReleasesPage) {
    UrlCatcher desktop({"https"});
    QtWorkspace workspace(releases);
    workspace.checkForUpdates();
    ASSERT_EQ(desktop.opened().size(), 1u);
    EXPECT_EQ(desktop.opened()[0].toString().toStdString(), releases);
}
