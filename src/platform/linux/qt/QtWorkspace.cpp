#include "platform/linux/qt/QtWorkspace.h"

#include <QDesktopServices>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace wigglet::desktop {

void QtWorkspace::checkForUpdates() {
    doOpenUrl(releasesPage_);
}

bool QtWorkspace::canOpen(const std::string& url) {
    const QString scheme = QUrl(QString::fromStdString(url)).scheme();
    if (scheme == "http" || scheme == "https" || scheme == "mailto")
        return true;
    const QByteArray handler = "x-scheme-handler/" + scheme.toUtf8() + "=";
    QStringList files;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << folder + "/mimeapps.list";
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        files << folder + "/mimeapps.list" << folder + "/mimeinfo.cache";
    for (const QString& path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains("\n" + handler))
            return true;
    }
    return false;
}

bool QtWorkspace::doOpenUrl(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(parsed);
}

void QtWorkspace::doComposeMail(const std::string& to, const std::string& subject,
                                const std::string& body) {
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(QString::fromStdString(to));
    QUrlQuery query;
    // Fully encoded, so that '&', '=' and '+' in the texts stay text.
    query.addQueryItem(QStringLiteral("subject"),
                       QString::fromUtf8(QUrl::toPercentEncoding(QString::fromStdString(subject))));
    query.addQueryItem(QStringLiteral("body"),
                       QString::fromUtf8(QUrl::toPercentEncoding(QString::fromStdString(body))));
    mail.setQuery(query);
    QDesktopServices::openUrl(mail);
}

} // namespace wigglet::desktop
