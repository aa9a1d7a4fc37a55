#pragma once

#include "shell/helpviewer/help_book.h"

#include <QMainWindow>

class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace slopekit {

class HelpBrowser;

// The help window: the table of contents of the help file beside the page it opens.
// When the file cannot be opened the window says why instead.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Opens the help file and shows its first page; or the reason it cannot be shown.
    void load(const QString& chmPath);
    bool hasBook() const { return m_book.isOpen(); }

    QTreeWidget* contents() const { return m_contents; }
    HelpBrowser* browser() const { return m_browser; }

private:
    void showProblem(const QString& problem);
    void fillContents(QTreeWidgetItem* parent, const std::vector<TocEntry>& entries);
    void openEntry(QTreeWidgetItem* item);
    void markCurrentPage(const QUrl& url);

    HelpBook m_book;
    QTreeWidget* m_contents;
    HelpBrowser* m_browser;
    QToolBar* m_navigation;
};

}  // namespace slopekit
