// Run from a copy of the Windows program folder (its qt.conf and translations folder):
// loads Qt's Turkish texts as the window does and prints Qt's text for a Cancel button.
// Exit status 1 when they cannot be loaded.

#include <QCoreApplication>
#include <cstdio>

#include "app/qt_ui.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (!tablamo::app::installTurkishTranslations()) {
        std::fprintf(stderr, "qt_texts_check: Qt's Turkish texts were not loaded\n");
        return 1;
    }
    std::printf("%s\n",
                QCoreApplication::translate("QPlatformTheme", "Cancel").toUtf8().constData());
    return 0;
}
