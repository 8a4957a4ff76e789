#pragma once

#include <QTranslator>

namespace wigglet {

// Routes the texts of the window layouts through the localisation table. A layout gives each
// text in English and names its localisation key in the text's comment, which Qt passes as the
// disambiguation; the table's entry replaces the English where there is one. Texts marked
// untranslatable (numbers), Qt's own texts and those of other contexts pass untouched.
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
