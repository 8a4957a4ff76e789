#pragma once

#include <QTranslator>

namespace wigglet {

// Routes the texts of the window layouts through the localisation table: a layout names each
// text by its localisation key, and texts marked untranslatable (numbers) stay as they are.
// Qt's own texts and those of other contexts pass untouched.
class LocalizerTranslator final : public QTranslator {
    Q_OBJECT

  public:
    using QTranslator::QTranslator;

    // Installs one translator on the application, once.
    static void install();

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

} // namespace wigglet
