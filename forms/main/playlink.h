#pragma once

#include <QString>

// Play links on the site: any address that ends in "_play.html".
namespace PlayLink {

// True when the last ten characters are exactly "_play.html" (case counts).
bool isPlayLink(const QString &url);

// The item number of a play link: the whole run of ASCII digits right before
// the first "_play.html". "" when there is no such run or it is too long to be
// an item number, so the caller plays nothing rather than another movie.
QString itemId(const QString &url);

} // namespace PlayLink
