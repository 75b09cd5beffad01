#include "catalogue/statements.h"

using namespace Qt::StringLiterals;

// The texts are the site's own, doubled and missing blanks included.
namespace Statements {
const Statement ClassIdByName{"ClassIdByName",
    u"SELECT `classid`  FROM`morrowick_enewsclass` where classname='"_s, u"'"_s, Statement::Text};
const Statement TitlesByClass{"TitlesByClass",
    u"SELECT `title` FROM`morrowick_ecms_game` WHERE classid= "_s, QString(), Statement::Number};
const Statement TitlesLike{"TitlesLike",
    u"SELECT `title` FROM`morrowick_ecms_game` where    title  like '"_s, u"'"_s, Statement::Text};
const Statement FlashUrlByTitle{"FlashUrlByTitle",
    u"SELECT `flashurl`  FROM`morrowick_ecms_game` WHERE title='"_s, u"'"_s, Statement::Text};
const Statement DetailByTitle{"DetailByTitle",
    u"SELECT `id`,`flashurl`,`classid`  FROM`morrowick_ecms_game` WHERE title='"_s, u"'"_s, Statement::Text};
const Statement ClassNameById{"ClassNameById",
    u"SELECT `classname` FROM`morrowick_enewsclass` where classid="_s, QString(), Statement::Number};
const Statement MovieById{"MovieById",
    u"SELECT`flashurl`,`title` FROM`morrowick_ecms_game` WHERE id= "_s, QString(), Statement::Number};
}

QString Statement::preparedText() const
{
    if (kind == Number)
        return fixedText + u'?' + afterValue;
    const auto quote = u'\'';
    const QString before = fixedText.endsWith(quote) ? fixedText.chopped(1) : fixedText;
    const QString after = afterValue.startsWith(quote) ? afterValue.mid(1) : afterValue;
    return before + u'?' + after;
}
