#include "sitepages.h"

#include <iterator>

namespace SitePages {
namespace {

struct ClassFolder
{
    const char16_t *className;
    const char *folder;
};

// Tested in this order; a class matches only when equal character for character.
const ClassFolder classFolders[] = {
    {u"中文儿歌", "tingerge/zhongwenerge/"},
    {u"英文儿歌", "tingerge/yingwenerge/"},
    {u"童谣", "tingerge/tongyao/"},
    {u"外文儿歌", "tingerge/waiwenerge/"},
    {u"经典小故事", "jianggushi/jingdianxiaogushi/"},
    {u"童话故事", "jianggushi/tonghuagushi/"},
    {u"寓言故事", "jianggushi/yuyangushi/"},
    {u"成语故事", "jianggushi/chengyugushi/"},
    {u"神话传说", "jianggushi/shenhuachuanshuo/"},
    {u"木偶奇遇记", "jianggushi/muouqiyuji/"},
    {u"三国演义", "jianggushi/sanguoyanyi/"},
    {u"唐诗宋词", "xuezhishi/tangshisongci/"},
    {u"快乐拼音", "xuezhishi/kuailepinyin/"},
    {u"幼儿启蒙", "xuezhishi/youerqimeng/"},
    {u"英语教育", "xuezhishi/yingyujiaoyu/"},
    {u"百科常识", "xuezhishi/baikechangshi/"},
    {u"幼儿英语", "xuezhishi/youeryingyu/"},
    {u"儿童英语", "xuezhishi/ertongyingyu/"},
    {u"少儿英语", "xuezhishi/shaoeryingyu/"},
    {u"学汉字", "xuezhishi/xuehanzi/"},
    {u"快乐绘本", "xuezhishi/kuailehuiben/"},
    {u"益智游戏", "wanyouxi/yizhiyouxi/"},
    {u"拼图填色", "wanyouxi/pintutianse/"},
    {u"数学游戏", "wanyouxi/shuxueyouxi/"},
    {u"语文游戏", "wanyouxi/yuwenyouxi/"},
    {u"舞蹈", "caiyizhanshi/wudao/"},
    {u"声乐", "caiyizhanshi/shengle/"},
    {u"乐器", "caiyizhanshi/leqi/"},
    {u"运动", "caiyizhanshi/yundong/"},
    {u"动画片", "donghuapian/"},
    // The talent-show menu's fifth folder; its titles reach the detail pages through the search.
    {u"绘画", "caiyizhanshi/huihua/"},
};

} // namespace

QString classFolder(const QString &className)
{
    for (const ClassFolder &row : classFolders) {
        if (className == QStringView(row.className))
            return QLatin1String(row.folder);
    }
    return {};
}

QString detailPage(const QString &siteRoot, const QString &className, const QString &id)
{
    const QString folder = classFolder(className);
    if (folder.isEmpty())
        return {};
    const QString suffix = className == u"动画片" ? QStringLiteral(".htm") : QStringLiteral(".html");
    return siteRoot + folder + id + suffix;
}

} // namespace SitePages
