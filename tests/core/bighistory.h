#pragma once

#include <QStringBuilder>
#include <QStringList>

// The two histories the save-killing test alternates between. The first fits
// GBK and the second, with its emoji, is written as UTF-8, so the files differ
// from their first byte and any mix of the two shows.
inline QStringList bigHistory(int which)
{
    using namespace Qt::StringLiterals;
    constexpr int Entries = 100'000;
    QStringList entries;
    entries.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        entries.append(which == 0 ? u"中文儿歌 第"_s % QString::number(i) % u"首"_s : u"睡前故事 "_s % QString::number(i) % u" 🐰"_s);
    return entries;
}
