#pragma once
// The help file "BMHelp.hlp": UTF-8 HTML pages, each introduced by a line
//     <!-- page: NAME -->
// and reached by links to "NAME.html" (with "#anchor" for a place inside
// a page). The first page is the contents.

#include <QMap>
#include <QString>
#include <QStringList>

#include "platform/status.h"

namespace banmen {

inline constexpr char kHelpFileName[] = "BMHelp.hlp";

class HelpBook {
  public:
    // Fails on an unreadable file and on one without any page.
    Status load(const std::string& path);
    Status parse(const QString& text);

    bool contains(const QString& name) const { return pages_.contains(name); }
    QString page(const QString& name) const { return pages_.value(name); }
    // In the file's order; the first is the contents.
    const QStringList& names() const { return order_; }
    QString contents() const { return order_.isEmpty() ? QString() : order_.first(); }
    // The page a link names: "rules.html#jumps" and "./rules.html" name
    // "rules"; empty when the link leads elsewhere (another scheme).
    static QString pageOfLink(const QString& link);

  private:
    QMap<QString, QString> pages_;
    QStringList order_;
};

}  // namespace banmen
