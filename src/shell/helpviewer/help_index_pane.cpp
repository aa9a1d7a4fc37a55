#include "shell/helpviewer/help_index_pane.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace slopekit {
namespace {
constexpr int LocalRole = Qt::UserRole;
}

HelpIndexPane::HelpIndexPane(QWidget* parent) : QWidget(parent), m_keyword(new QLineEdit), m_keywords(new QListWidget)
{
    m_keyword->setPlaceholderText(tr("Type a keyword"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_keyword);
    layout->addWidget(m_keywords);

    connect(m_keyword, &QLineEdit::textEdited, this, &HelpIndexPane::selectFirstMatch);
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] { open(m_keywords->currentItem()); });
    connect(m_keywords, &QListWidget::itemClicked, this, &HelpIndexPane::open);
    connect(m_keywords, &QListWidget::itemActivated, this, &HelpIndexPane::open);
}

void HelpIndexPane::setKeywords(const std::vector<TocEntry>& keywords)
{
    m_keywords->clear();
    m_keyword->clear();
    for (const TocEntry& keyword : keywords) {
        auto* item = new QListWidgetItem(QString::fromStdString(keyword.name), m_keywords);
        item->setData(LocalRole, QString::fromStdString(keyword.local));
    }
}

void HelpIndexPane::selectFirstMatch(const QString& text)
{
    for (int row = 0; row < m_keywords->count(); ++row) {
        if (m_keywords->item(row)->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            m_keywords->setCurrentRow(row);
            m_keywords->scrollToItem(m_keywords->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpIndexPane::open(QListWidgetItem* item)
{
    if (item == nullptr)
        return;
    const QString local = item->data(LocalRole).toString();
    if (!local.isEmpty())
        emit pageChosen(local);
}

}  // namespace slopekit
