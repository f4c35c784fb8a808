// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appicons.h"
#include "app/links.h"
#include "app/main.h"
#include "app/programoptions.h"
#include "app/systemlocale.h"
#include "app/userlanguage.h"
#include "platform/desktopshellopener.h"
#include "platform/dialogrunner.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyle>

#include <optional>

int main(int argc, char* argv[]) {
    // QLocale reads the locale from the environment, with no application yet.
    const quorbel::Language language =
        quorbel::chooseUserLanguage(QLocale::system(), qgetenv("QUORBEL_LANG"));
    if (const std::optional<int> status = quorbel::answerInformationOptions(argc, argv, language))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorbel"));
    // Lets the desktop match the window to its launcher entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.quorbel"));
    QApplication::setWindowIcon(quorbel::programIcon());
    quorbel::installUserLanguage(app);
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(12);
    QApplication::setFont(font);

    quorbel::DesktopShellOpener shell;
    quorbel::QtMessageBoxes messages;
    quorbel::QtFileDialogs files;
    quorbel::ModalDialogRunner dialogs;
    quorbel::Services services{&shell, &messages, &files, &dialogs, {}};
    services.links = quorbel::links::configured();
    quorbel::TfrmMain window(services, quorbel::systemLocaleFormat());
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           app.primaryScreen()->availableGeometry()));
    window.show();
    window.offerUndoOfUnfinishedRun();
    return app.exec();
}
