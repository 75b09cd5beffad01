#pragma once

#include <QString>

namespace MovieAddress {

// A stored movie address made absolute: the site root goes in front unless
// the address is empty or starts with exactly "http". A plain concatenation,
// so "/x.swf" gives two slashes, as the site's own pages do.
QString absolute(const QString &siteRoot, const QString &stored);

} // namespace MovieAddress
