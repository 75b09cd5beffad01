#pragma once

#include <QString>

// Addresses of the site's pages, relative to the site root.
namespace SitePages {

inline constexpr char Newest[] = "s/n180.html";
inline constexpr char Popular[] = "s/h180.html";
inline constexpr char Recommended[] = "s/T180.html";
inline constexpr char TalentShow[] = "caiyizhanshi/";
inline constexpr char Dance[] = "caiyizhanshi/wudao/";
inline constexpr char Singing[] = "caiyizhanshi/shengle/";
inline constexpr char Instruments[] = "caiyizhanshi/leqi/";
inline constexpr char Painting[] = "caiyizhanshi/huihua/";
inline constexpr char Sports[] = "caiyizhanshi/yundong/";
inline constexpr char About[] = "info/about.html";

// The site folder of a class, relative to the site root; "" when the class has none.
QString classFolder(const QString &className);

// A title's detail page: the class's folder, the item number and ".htm" for
// cartoons or ".html" otherwise. "" when the class has no folder, so that no
// address without its site part is ever opened.
QString detailPage(const QString &siteRoot, const QString &className, const QString &id);

} // namespace SitePages
