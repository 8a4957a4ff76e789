#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

namespace wigglet::testing {

// Stands in for the desktop's default applications: every URL handed to the desktop for its
// scheme lands here instead.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    explicit UrlCatcher(std::initializer_list<const char*> schemes) {
        for (const char* scheme : schemes) {
            schemes_.push_back(QString::fromLatin1(scheme));
            QDesktopServices::setUrlHandler(schemes_.back(), this, "open");
        }
    }
    ~UrlCatcher() override {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    const std::vector<QUrl>& opened() const { return opened_; }

  public slots:
    void open(const QUrl& url) { opened_.push_back(url); }

  private:
    std::vector<QString> schemes_;
    std::vector<QUrl> opened_;
};

} // namespace wigglet::testing
