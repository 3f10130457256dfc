#include "WebPage.h"

#include <QDesktopServices>

namespace platform {

namespace {
WebPageOpener& Opener()
{
    static WebPageOpener opener;
    return opener;
}
}  // namespace

void SetWebPageOpener(WebPageOpener opener) { Opener() = std::move(opener); }

bool OpenWebPage(const QUrl& url)
{
    if (Opener()) {
        return Opener()(url);
    }
    return QDesktopServices::openUrl(url);
}

}  // namespace platform
