#include "shell/helpviewer/help_browser.h"

#include "helpbook/help_book.h"

#include <QDesktopServices>
#include <QTextDocument>

namespace slopekit {
namespace {
const QString Scheme = QStringLiteral("help");
}

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QUrl HelpBrowser::pageUrl(const QString& local)
{
    const qsizetype hash = local.indexOf(u'#');
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(QString::fromStdString(objectPath(local.toStdString())));
    if (hash >= 0)
        url.setFragment(local.mid(hash + 1));
    return url;
}

void HelpBrowser::followLink(const QUrl& url)
{
    if (url.scheme() == Scheme)
        setSource(url);
    else
        QDesktopServices::openUrl(url);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() != Scheme || m_book == nullptr)
        return QTextBrowser::loadResource(type, name);
    const std::optional<std::string> bytes = m_book->read(objectPath(name.path().toStdString()));
    if (!bytes) {
        if (type != QTextDocument::HtmlResource)
            return {};
        return tr("<h1>Page not found</h1><p>The help file has no page %1.</p>").arg(name.path().toHtmlEscaped());
    }
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

}  // namespace slopekit
