#include "platformschemes.h"

#include "platform/ruffleschemehandler.h"

#include <QWebEngineUrlScheme>

void registerPlatformSchemes()
{
    if (QWebEngineUrlScheme::schemeByName(RuffleSchemeHandler::scheme).name() == RuffleSchemeHandler::scheme)
        return;
    QWebEngineUrlScheme scheme(RuffleSchemeHandler::scheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure, so the page may load Ruffle's scripts and wasm like an https page.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}
