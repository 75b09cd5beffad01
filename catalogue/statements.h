#pragma once

#include <QString>

// One of the seven fixed catalogue statements: a fixed text, the value, then afterValue.
struct Statement
{
    const char *name;
    QString fixedText;
    QString afterValue;
    // A Text value stands inside the quoted literal that closes fixedText; a Number stands bare.
    enum Kind { Text, Number } kind;

    // The text as prepared on the server: a "?" takes the place of the value, and of the quotes
    // around it for a Text value, so the value travels bound and is never parsed as SQL.
    QString preparedText() const;
};

namespace Statements {
extern const Statement ClassIdByName;
extern const Statement TitlesByClass;
extern const Statement TitlesLike;
extern const Statement FlashUrlByTitle;
extern const Statement DetailByTitle;
extern const Statement ClassNameById;
extern const Statement MovieById;
}
