#pragma once

#include "helpbook/sitemap.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace slopekit {

// The index of a help file: a keyword box above the list of keywords. Typing selects
// the first keyword that starts with the text; Enter or a click opens its page.
class HelpIndexPane : public QWidget {
    Q_OBJECT
public:
    explicit HelpIndexPane(QWidget* parent = nullptr);

    void setKeywords(const std::vector<TocEntry>& keywords);

    QLineEdit* keywordBox() const { return m_keyword; }
    QListWidget* keywords() const { return m_keywords; }

signals:
    // `local` is the link of the page, as the index gives it ("files.html#format").
    void pageChosen(const QString& local);

private:
    void selectFirstMatch(const QString& text);
    void open(QListWidgetItem* item);

    QLineEdit* m_keyword;
    QListWidget* m_keywords;
};

}  // namespace slopekit
