#include "platform/linux/qt/QtWorkspace.h"

#include "ScopedVariable.h"
#include "TemporaryFolder.h"
#include "support/UrlCatcher.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr const char* releases = "https://wigglet.example.org/releases";

std::string queryValue(const QUrl& url, const char* key) {
    return QUrlQuery(url)
        .queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded)
        .toStdString();
}

} // namespace

TEST(QtWorkspace, AddressesThatAreUrlsAndTheReleasesPageGoToTheDesktop) {
    const struct {
        const char* behaviour;
        const char* text;
        bool opened;
    } rows[] = {
        {"a web address is opened", "https://wigglet.example.org/faq", true},
        {"an address with a query keeps it", "https://example.org/a?b=c&d=e", true},
        {"text without a scheme is not a URL", "wigglet.example.org", false},
        {"text with spaces is not a URL", "not a url", false},
        {"an empty text is not a URL", "", false},
    };
    for (const auto& row : rows) {
        UrlCatcher desktop({"https", "http"});
        QtWorkspace workspace(releases);
        EXPECT_EQ(workspace.openUrl(row.text), row.opened) << row.behaviour;
        ASSERT_EQ(desktop.opened().size(), row.opened ? 1u : 0u) << row.behaviour;
        if (row.opened) {
            EXPECT_EQ(desktop.opened()[0].toString().toStdString(), row.text) << row.behaviour;
        }
    }
    UrlCatcher desktop({"https"});
    QtWorkspace(releases).checkForUpdates();
    ASSERT_EQ(desktop.opened().size(), 1u) << "checking for updates opens the releases page";
    EXPECT_EQ(desktop.opened()[0].toString().toStdString(), releases);
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

TEST(QtWorkspace, ASchemeCanBeOpenedOnlyWhenADesktopEntryHandlesIt) {
    const struct {
        const char* behaviour;
        const char* file; // below the temporary folder
        const char* text;
        const char* url;
        bool can;
    } rows[] = {
        {"web addresses need no declared handler", "data/applications/mimeinfo.cache", "",
         "https://example.org/", true},
        {"no declared handler: the software centre cannot be opened",
         "data/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=editor.desktop;\n",
         "appstream://org.wigglet.Wigglet", false},
        {"the desktop database names a software centre", "data/applications/mimeinfo.cache",
         "[MIME Cache]\nx-scheme-handler/appstream=centre.desktop;\n",
         "appstream://org.wigglet.Wigglet", true},
        {"the user's mimeapps.list names one", "config/mimeapps.list",
         "[Default Applications]\nx-scheme-handler/appstream=centre.desktop\n",
         "appstream://org.wigglet.Wigglet", true},
    };
    for (const auto& row : rows) {
        TemporaryFolder home;
        home.write(row.file, row.text);
        const ScopedVariable dataHome("XDG_DATA_HOME", (home / "data").c_str());
        const ScopedVariable dataDirs("XDG_DATA_DIRS", (home / "none").c_str());
        const ScopedVariable configHome("XDG_CONFIG_HOME", (home / "config").c_str());
        const ScopedVariable configDirs("XDG_CONFIG_DIRS", (home / "none").c_str());
        QtWorkspace workspace(releases);
        EXPECT_EQ(workspace.canOpen(row.url), row.can) << row.behaviour;
    }
}
