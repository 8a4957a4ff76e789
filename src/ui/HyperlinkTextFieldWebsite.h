#pragma once

#include <QLabel>

namespace wigglet {

// A text field drawn as a link (link colour, underlined, pointing-hand cursor) that opens
// the product's web site when clicked.
class HyperlinkTextFieldWebsite final : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString websiteUrl READ websiteUrl WRITE setWebsiteUrl)

  public:
    explicit HyperlinkTextFieldWebsite(QWidget* parent = nullptr);

    QString websiteUrl() const { return websiteUrl_; }
    void setWebsiteUrl(const QString& url) { websiteUrl_ = url; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QString websiteUrl_;
};

} // namespace wigglet
