#pragma once
// Qt's own dialogs and controls (file and print dialogs, message box buttons, the calendar)
// speak Japanese like the rest of the program: Qt's Japanese translations are loaded from Qt's
// translations folder (Debian's qt6-translations-l10n) and the default locale is Japanese.

class QCoreApplication;

namespace platform {

// Installs Qt's Japanese translations into `application` and makes Japanese (Japan) the default
// locale (its decimal point is "." as everywhere in this program). Returns false, leaving Qt's
// English texts, when the translations are not installed.
bool LoadQtJapanese(QCoreApplication& application);

}  // namespace platform
