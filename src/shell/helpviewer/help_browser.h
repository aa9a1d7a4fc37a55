#pragma once

#include <QTextBrowser>

namespace slopekit {

class HelpBook;

// Shows the pages of a help book; every link, picture and style sheet is read from the
// book. Links to the web open in the desktop's browser.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // The book to read from; nullptr while no book is open.
    void setBook(const HelpBook* book) { m_book = book; }

    // The address under which a page of the book is shown ("/files.html" -> help:/files.html).
    static QUrl pageUrl(const QString& local);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& url);

    const HelpBook* m_book = nullptr;
};

}  // namespace slopekit
