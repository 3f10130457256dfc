#pragma once
// Opening a web page in the user's default browser.

#include <QUrl>
#include <functional>

namespace platform {

// Asks the desktop to open `url` in the default browser; false when no browser could be started.
bool OpenWebPage(const QUrl& url);

// Tests replace the browser with an opener that records the address and returns the result;
// an empty function restores the desktop's browser.
using WebPageOpener = std::function<bool(const QUrl& url)>;
void SetWebPageOpener(WebPageOpener opener);

}  // namespace platform
