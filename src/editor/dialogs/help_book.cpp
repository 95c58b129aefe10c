#include "editor/dialogs/help_book.h"

#include <QRegularExpression>
#include <QUrl>
#include <vector>

#include "platform/files.h"

namespace banmen {

Status HelpBook::load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (Status read = ReadWholeFile(path, bytes); !read) {
        return read.withContext(path);
    }
    return parse(QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size())))
        .withContext(path);
}

Status HelpBook::parse(const QString& text) {
    static const QRegularExpression marker(
        QStringLiteral("^<!--\\s*page:\\s*([A-Za-z0-9_-]+)\\s*-->\\s*$"),
        QRegularExpression::MultilineOption);
    QMap<QString, QString> pages;
    QStringList order;
    QRegularExpressionMatchIterator it = marker.globalMatch(text);
    QString name;
    qsizetype start = -1;
    auto close = [&](qsizetype end) {
        if (start >= 0 && !pages.contains(name)) {
            pages.insert(name, text.mid(start, end - start));
            order.push_back(name);
        }
    };
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        close(match.capturedStart());
        name = match.captured(1);
        start = match.capturedEnd();
    }
    close(text.size());
    if (order.isEmpty()) {
        return Status::error("not a help file (no pages)");
    }
    pages_ = std::move(pages);
    order_ = std::move(order);
    return Status::ok();
}

QString HelpBook::pageOfLink(const QString& link) {
    const QUrl url(link);
    if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("help")) {
        return {};
    }
    QString name = url.path();
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        name = name.mid(slash + 1);
    }
    if (name.endsWith(QLatin1String(".html"))) {
        name.chop(5);
    }
    return name;
}

}  // namespace banmen
