#pragma once

#include "helpbook/help_book.h"

#include <QMainWindow>

class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace slopekit {

class HelpBrowser;
class HelpIndexPane;

// The help window: the table of contents (and the index) of the help file beside the
// page it opens.
// When the file cannot be opened the window says why instead.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the help file and shows its first page; or the reason it cannot be shown.
    void load(const QString& chmPath);
    bool hasBook() const { return m_book.isOpen(); }

    QTreeWidget* contents() const { return m_contents; }
    HelpIndexPane* index() const { return m_index; }
    HelpBrowser* browser() const { return m_browser; }

private:
    void showProblem(const QString& problem);
    void fillContents(QTreeWidgetItem* parent, const std::vector<TocEntry>& entries);
    void openEntry(QTreeWidgetItem* item);
    void markCurrentPage(const QUrl& url);

    HelpBook m_book;
    QTabWidget* m_panes;
    QTreeWidget* m_contents;
    HelpIndexPane* m_index;
    HelpBrowser* m_browser;
    QToolBar* m_navigation;
};

}  // namespace slopekit
