#pragma once

class QLocale;
class QTranslator;

// Qt's own texts (context menus, standard boxes) in the language of the locale, from Qt's
// translations folder. Returns the installed translator, or nullptr when there is no translation.
QTranslator* InstallQtTranslations(const QLocale& locale);
