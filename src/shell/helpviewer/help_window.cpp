#include "shell/helpviewer/help_window.h"

#include "shell/helpviewer/help_browser.h"
#include "shell/helpviewer/help_index_pane.h"

#include <QAction>
#include <QHeaderView>
#include <QSplitter>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>

namespace slopekit {
namespace {
constexpr int LocalRole = Qt::UserRole;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_panes(new QTabWidget), m_contents(new QTreeWidget), m_index(new HelpIndexPane),
      m_browser(new HelpBrowser), m_navigation(addToolBar(tr("Navigation")))
{
    setWindowTitle(tr("Slopekit Help"));
    resize(900, 620);
    m_browser->document()->setDocumentMargin(10);

    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_contents->header()->setStretchLastSection(true);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::openEntry);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::openEntry);
    connect(m_index, &HelpIndexPane::pageChosen, this,
            [this](const QString& local) { m_browser->setSource(HelpBrowser::pageUrl(local)); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::markCurrentPage);
    m_panes->addTab(m_contents, tr("Contents"));
    m_panes->addTab(m_index, tr("Index"));

    auto* splitter = new QSplitter;
    splitter->addWidget(m_panes);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 610});
    setCentralWidget(splitter);

    QToolBar* bar = m_navigation;
    bar->setMovable(false);
    QAction* back = bar->addAction(tr("Back"), m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(tr("Forward"), m_browser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    bar->addAction(tr("Home"), m_browser, &QTextBrowser::home);
}

void HelpWindow::load(const QString& chmPath)
{
    m_browser->setBook(nullptr);
    m_book = HelpBook::open(chmPath.toStdString());
    m_contents->clear();
    m_index->setKeywords({});
    if (!m_book.isOpen()) {
        showProblem(QString::fromStdString(m_book.problem()));
        return;
    }
    m_browser->setBook(&m_book);
    if (!m_book.title().empty())
        setWindowTitle(QString::fromStdString(m_book.title()));
    fillContents(nullptr, m_book.contents());
    m_contents->expandAll();
    m_index->setKeywords(m_book.index());
    m_panes->setTabVisible(1, !m_book.index().empty());
    m_panes->setCurrentIndex(0);
    m_panes->show();
    m_navigation->show();
    m_browser->clearHistory();
    m_browser->setSource(HelpBrowser::pageUrl(QString::fromStdString(m_book.startPage())));
}

void HelpWindow::showProblem(const QString& problem)
{
    m_panes->hide();
    m_navigation->hide();
    QString html = tr("<h2>Help is not available</h2>");
    for (const QString& paragraph : problem.split(QStringLiteral("\n\n")))
        html += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")));
    m_browser->clearHistory();
    m_browser->setHtml(html);
}

void HelpWindow::fillContents(QTreeWidgetItem* parent, const std::vector<TocEntry>& entries)
{
    for (const TocEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, QString::fromStdString(entry.name));
        item->setData(0, LocalRole, QString::fromStdString(entry.local));
        fillContents(item, entry.children);
    }
}

void HelpWindow::openEntry(QTreeWidgetItem* item)
{
    const QString local = item->data(0, LocalRole).toString();
    if (!local.isEmpty())
        m_browser->setSource(HelpBrowser::pageUrl(local));
}

void HelpWindow::markCurrentPage(const QUrl& url)
{
    const QUrl page = url.adjusted(QUrl::RemoveFragment);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString local = (*it)->data(0, LocalRole).toString();
        if (!local.isEmpty() && HelpBrowser::pageUrl(local).adjusted(QUrl::RemoveFragment) == page) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}

}  // namespace slopekit
