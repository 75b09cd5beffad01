#pragma once

#include "app/errorhandler.h"
#include "catalogue/cataloguesettings.h"
#include "doubles/fakebrowser.h"
#include "doubles/fakemovie.h"
#include "forms/main/tmainform.h"
#include "forms/player/tshowform.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Both windows built as start-up builds them, on test doubles of the browser
// and the movie control; error boxes are recorded instead of shown.
struct FormFixture
{
    explicit FormFixture(const CatalogueSettings &catalogue = unreachableCatalogue(),
                         const QString &historyFolder = QString())
        : browser1(new FakeBrowser)
        , browser3(new FakeBrowser)
    {
        ErrorHandler::setPresenter([this](const QString &title, const QString &text) {
            errorTitles.append(title);
            errors.append(text);
        });
        mainform = std::make_unique<Tmainform>(catalogue, siteRoot(), browser1.data(), browser3.data(),
                                               historyFolder.isEmpty() ? folder.path() : historyFolder);
        showform = new Tshowform(movies, mainform.get());
        mainform->attachPlayer(showform);
    }

    ~FormFixture() { ErrorHandler::setPresenter({}); }

    static QString siteRoot() { return QStringLiteral("http://site.test/"); }

    // A port nothing listens on: every statement fails at once with the driver's message.
    static CatalogueSettings unreachableCatalogue()
    {
        CatalogueSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = 1;
        settings.password = QStringLiteral("none");
        return settings;
    }

    template<typename W>
    W *find(const char *name) const
    {
        return mainform->findChild<W *>(QLatin1String(name));
    }

    QTemporaryDir folder;
    FakeMovieFactory movies;
    QPointer<FakeBrowser> browser1;
    QPointer<FakeBrowser> browser3;
    std::unique_ptr<Tmainform> mainform;
    Tshowform *showform = nullptr;
    QStringList errors;
    QStringList errorTitles;
};
